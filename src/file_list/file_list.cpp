#include "file_list/file_list.h"

#include "failure/failure.h"

namespace pv {

void FileList::checkRow(int row) const
{
    if (row < 1 || row > count())
        throw Failure("Index out of bounds", failure_code::kIndexOutOfBounds);
}

const std::string& FileList::text(int row) const
{
    checkRow(row);
    return rows_[row - 1];
}

void FileList::append(std::string path)
{
    rows_.push_back(std::move(path));
    if (observer_)
        observer_->rowsAppended(count(), count());
}

void FileList::setText(int row, std::string path)
{
    checkRow(row);
    rows_[row - 1] = std::move(path);
    if (observer_)
        observer_->rowChanged(row);
}

void FileList::remove(int row)
{
    checkRow(row);
    rows_.erase(rows_.begin() + (row - 1));
    if (observer_)
        observer_->rowRemoved(row);
}

void FileList::clear()
{
    // Gives the storage back too: a list of a hundred thousand rows would otherwise keep
    // holding its megabytes after "Clear List".
    std::vector<std::string>().swap(rows_);
    if (observer_)
        observer_->cleared();
}

}  // namespace pv
