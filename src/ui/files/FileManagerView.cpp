#include "ui/files/FileManagerView.h"

#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QTabBar>

#include "ui/files/FileBrowser.h"
#include "ui/files/LocaleFileInfoFormats.h"

// The file list's rows: the names as the file system spells them.
class FileManagerView::FileRows final : public SourceList {
public:
    FileRows(const FileBrowser& browser, const QListView& view) : browser(browser), view(view) {}
    int rowCount() const override { return browser.rowCount(); }
    std::string row(int index) const override { return browser.name(index); }
    bool isSelected(int index) const override { return browser.isSelected(index); }
    int currentRow() const override { return view.currentIndex().isValid() ? view.currentIndex().row() : -1; }

private:
    const FileBrowser& browser;
    const QListView& view;
};

// The CD track list's rows: the entry texts.
class FileManagerView::CdRows final : public SourceList {
public:
    explicit CdRows(const QListWidget& list) : list(list) {}
    int rowCount() const override { return list.count(); }
    std::string row(int index) const override { return list.item(index)->text().toStdString(); }
    bool isSelected(int index) const override { return list.item(index)->isSelected(); }
    int currentRow() const override { return list.currentRow(); }

private:
    const QListWidget& list;
};

FileManagerView::FileManagerView(const Controls& controls)
    : controls(controls),
      files(std::make_unique<FileRows>(*controls.browser, *controls.fileList)),
      tracks(std::make_unique<CdRows>(*controls.cdTrackList))
{
}

FileManagerView::~FileManagerView() = default;

bool FileManagerView::cdTabShowing() const { return controls.sourceTabs->currentIndex() == 1; }

const SourceList& FileManagerView::fileList() const { return *files; }

std::string FileManagerView::fileListDirectory() const { return controls.browser->directory(); }

void FileManagerView::refreshFileList() { controls.browser->refresh(); }

const SourceList& FileManagerView::cdList() const { return *tracks; }

void FileManagerView::replaceCdRow(int index, const std::string& entry)
{
    if (QListWidgetItem* item = controls.cdTrackList->item(index))
        item->setText(QString::fromStdString(entry));
}

void FileManagerView::showFileInfo(const std::string& text)
{
    controls.fileInfoLine->setText(QString::fromStdString(text));
}

FileInfoFormats FileManagerView::fileInfoFormats() const { return LocaleFileInfoFormats(); }
