#pragma once
// The progress of a copy or move command: once the command has run for half a second, a
// progress dialog with the file's name and a Cancel button, modal so that nothing else is
// started meanwhile. The copy runs on the window's thread; the dialog takes its events
// between the chunks of a file.
#include <QElapsedTimer>
#include <QString>
#include <chrono>
#include <memory>

#include "core/files/FileManagerDialogs.h"

class QProgressDialog;
class QWidget;

class TransferProgressDialog final : public TransferProgress {
public:
    explicit TransferProgressDialog(QWidget* parent, std::chrono::milliseconds delay = std::chrono::milliseconds(500));
    ~TransferProgressDialog() override;

    void startFile(const std::string& name, bool move) override;
    bool advance(std::uint64_t copied, std::uint64_t size) override;
    void finish() override;

    // The dialog while it shows; nullptr before the delay has passed and after the command.
    QProgressDialog* dialog() const { return progress.get(); }

private:
    void showWhenDue();

    QWidget* parent;
    std::chrono::milliseconds delay;
    QElapsedTimer running;
    QString label;
    std::unique_ptr<QProgressDialog> progress;
};
