#pragma once
// The choice offered when one index keyword leads to several pages: the pages' titles in a
// list, "Display" opening the chosen one.
#include <QDialog>
#include <QList>
#include <QUrl>

struct QHelpLink;
class QListWidget;

class TopicChooser final : public QDialog {
    Q_OBJECT
public:
    TopicChooser(QWidget* parent, const QString& keyword, const QList<QHelpLink>& topics);

    // The page chosen, once the dialog is accepted.
    QUrl chosenTopic() const;

private:
    QListWidget* topicList = nullptr;
    QList<QUrl> topicUrls;
};
