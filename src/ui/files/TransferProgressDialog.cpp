#include "ui/files/TransferProgressDialog.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {

// The bar counts in thousandths of the file: QProgressDialog counts in int, files in bytes.
constexpr int kSteps = 1000;

}  // namespace

TransferProgressDialog::TransferProgressDialog(QWidget* parent, std::chrono::milliseconds delay)
    : parent(parent), delay(delay)
{
}

TransferProgressDialog::~TransferProgressDialog() = default;

void TransferProgressDialog::startFile(const std::string& name, bool move)
{
    if (!running.isValid())
        running.start();
    label = (move ? QStringLiteral("Moving ") : QStringLiteral("Copying ")) + QString::fromStdString(name);
    if (progress) {
        progress->setLabelText(label);
        progress->setValue(0);
    }
    showWhenDue();
}

bool TransferProgressDialog::advance(std::uint64_t copied, std::uint64_t size)
{
    showWhenDue();
    if (!progress)
        return true;
    const std::uint64_t done = size == 0 || copied >= size ? kSteps : copied * kSteps / size;
    progress->setValue(static_cast<int>(done));
    // A click on Cancel (or a repaint) waits for these events.
    QCoreApplication::processEvents();
    return !progress->wasCanceled();
}

void TransferProgressDialog::finish()
{
    progress.reset();
    running.invalidate();
}

void TransferProgressDialog::showWhenDue()
{
    if (progress || !running.isValid() || running.elapsed() < delay.count())
        return;
    // Made only now: a QProgressDialog shows itself after a few seconds once it exists.
    progress = std::make_unique<QProgressDialog>(label, QStringLiteral("Cancel"), 0, kSteps, parent);
    progress->setObjectName(QStringLiteral("TransferProgress"));
    progress->setWindowTitle(QStringLiteral("Sonorail"));
    progress->setWindowModality(Qt::ApplicationModal);
    progress->setAutoReset(false);
    progress->setAutoClose(false);
    progress->setMinimumDuration(0);
    progress->setValue(0);
    progress->show();
}
