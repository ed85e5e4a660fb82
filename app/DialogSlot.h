// One instance of a modeless dialog at a time: created and loaded when it is
// not open, only restored and brought to the front when it is.  Closing a
// dialog unloads it (Qt::WA_DeleteOnClose), so the next opening starts afresh.
#pragma once

#include <QPointer>
#include <QWidget>

#include <utility>

namespace varnex {

template <typename Dialog>
class DialogSlot {
public:
    DialogSlot() = default;
    // A dialog still open when the main window goes away goes with it, since
    // it refers to the main window; no unload event runs then.
    ~DialogSlot() { delete dialog_.data(); }
    DialogSlot(const DialogSlot&) = delete;
    DialogSlot& operator=(const DialogSlot&) = delete;

    // The dialog's constructor is its load event.  Dialogs have no owner
    // window, so the main window never hides them.
    template <typename... Args>
    Dialog& show(Args&&... args) {
        // A closed dialog may await its deferred deletion; it counts as unloaded.
        if (!dialog_ || !dialog_->isVisible()) {
            dialog_ = new Dialog(std::forward<Args>(args)...);
            dialog_->setAttribute(Qt::WA_DeleteOnClose);
        }
        // A minimised dialog would stay on the task bar: bring it back too.
        if (dialog_->isMinimized())
            dialog_->setWindowState((dialog_->windowState() & ~Qt::WindowMinimized) |
                                    Qt::WindowActive);
        dialog_->show();
        dialog_->raise();
        dialog_->activateWindow();
        return *dialog_;
    }

    // The open dialog, or nullptr.
    Dialog* open() const { return dialog_ && dialog_->isVisible() ? dialog_.data() : nullptr; }

private:
    QPointer<Dialog> dialog_;
};

}  // namespace varnex
