#include <QListWidget>
#include <QSignalBlocker>

#include "platform/qt/control_binding.h"
#include "platform/qt/values.h"

namespace qv {

namespace {

class FileListBinding final : public BindingOf<FileListBox, QListWidget> {
public:
    using BindingOf::BindingOf;

    void wireInput(const FormInput& in) override {
        QObject::connect(view(), &QListWidget::currentRowChanged, w_, [in, list = &obj()](int row) {
            in.click([list, row] {
                if (row >= -1 && row < list->ListCount()) list->setListIndex(row);
            });
        });
    }

protected:
    QWidget* make(QWidget* parent) override { return new QListWidget(parent); }

    bool syncLook(bool first) override {
        const FileListBox& fl = obj();
        QListWidget* list = view();
        const QSignalBlocker block(list);
        const bool newItems = take(first, items_, fl.items());
        if (newItems) {
            list->clear();
            for (const std::string& item : fl.items()) list->addItem(view::qs(item));
        }
        if (take(first, listIndex_, fl.listIndex()) || newItems) list->setCurrentRow(fl.listIndex());
        syncFieldColors(first, colors_);
        return false;
    }

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
    ShownColors colors_;
};

}  // namespace

std::unique_ptr<ControlBinding> bindFileListBox(FileListBox& c, BindingShared& shared) {
    return std::make_unique<FileListBinding>(c, shared);
}

}  // namespace qv
