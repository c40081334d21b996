#pragma once
// The page area of the help window: shows the book's pages, with their style sheet and
// pictures, straight from the compiled book; links out of the book go to the desktop's
// browser.
#include <QTextBrowser>

class QHelpEngineCore;

class HelpBrowser final : public QTextBrowser {
    Q_OBJECT
public:
    HelpBrowser(const QHelpEngineCore& engine, QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

private:
    const QHelpEngineCore& helpEngine;
};
