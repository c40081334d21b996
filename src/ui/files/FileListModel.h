#pragma once
// The rows of the file list: the plain files of one directory that match the mask. Each
// read replaces the whole listing in one model reset, so a directory of tens of thousands
// of files costs one read and one sort, and the view asks only for the rows it shows.
#include <QAbstractListModel>
#include <QString>
#include <string>
#include <vector>

class FileListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The raw bytes of a row's name, for code that opens the file.
    static constexpr int NameBytesRole = Qt::UserRole;

    explicit FileListModel(QObject* parent = nullptr);

    // Always reads the directory, even the one already shown: its files may have changed.
    void setDirectory(std::string directory);
    // Takes the directory without reading it yet: the next mask or refresh reads it, or else
    // the event loop's next turn, so a mask that follows at once costs no second reading.
    void setDirectoryToReadLater(std::string directory);
    // Reads again only when the mask differs from the one in use.
    void setMask(const QString& mask);
    void refresh();

    const std::string& directory() const { return shownDirectory; }
    const QString& mask() const { return currentMask; }
    // The name of `row` as the file system gives it.
    const std::string& name(int row) const { return names.at(static_cast<std::size_t>(row)); }
    const std::vector<std::string>& allNames() const { return names; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::string shownDirectory;
    QString currentMask;
    std::vector<std::string> names;
    bool unread = false;
};
