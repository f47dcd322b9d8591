#pragma once

#include <string>
#include <vector>

namespace pv {

// The ordered list of files to print: each row's only value is its text, the path of one
// file. Rows are numbered from 1 in display order; row order is printing order. A view
// observes the list and shows it.
class FileList {
public:
    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void rowsAppended(int firstRow, int lastRow) = 0;
        virtual void rowChanged(int row) = 0;
        virtual void rowRemoved(int row) = 0;
        virtual void cleared() = 0;
    };

    void setObserver(Observer* observer) { observer_ = observer; }

    int count() const { return static_cast<int>(rows_.size()); }
    // The text of `row`. Throws Failure for a row that does not exist.
    const std::string& text(int row) const;

    void append(std::string path);
    // Throws Failure for a row that does not exist.
    void setText(int row, std::string path);
    // Removes `row`; later rows move up by one. Throws Failure for a row that does not exist.
    void remove(int row);
    void clear();

private:
    void checkRow(int row) const;

    std::vector<std::string> rows_;
    Observer* observer_ = nullptr;
};

}  // namespace pv
