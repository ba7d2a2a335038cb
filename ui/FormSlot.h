#pragma once

#include "ui/Form.h"
#include "ui/WindowOwner.h"

#include <QPointer>

#include <functional>

// A window's load / show / unload lifecycle. Showing a window that is not
// loaded builds it from its designer state and runs its Form_Load; showing a
// loaded one only brings it to the front. Unloading destroys it and its
// controls, so the next show builds it afresh. A window closed from its
// title bar counts as unloaded at once and is destroyed soon after.
template <typename F>
class FormSlot {
public:
    using Factory = std::function<F*()>;

    explicit FormSlot(Factory factory) : factory_(std::move(factory)) {}
    FormSlot(const FormSlot&) = delete;
    FormSlot& operator=(const FormSlot&) = delete;
    ~FormSlot() { delete form_.data(); }

    bool isLoaded() const { return !form_.isNull(); }
    F* get() const { return form_.data(); }

    F& load()
    {
        if (!form_) {
            form_ = factory_();
            form_->setAttribute(Qt::WA_DeleteOnClose);
            QObject::connect(form_.data(), &Form::unloading, form_.data(), [this] { form_.clear(); });
            form_->Form_Load();
        }
        return *form_;
    }

    F& show()
    {
        const bool fresh = !form_;
        F& form = load();
        if (fresh)
            form.centreOnScreen();
        bringToFront(&form);
        return form;
    }

    void unload()
    {
        if (!form_)
            return;
        F* form = form_.data();
        form_.clear();
        form->hide();
        // Deferred: the window may be unloading itself from its own handler.
        form->deleteLater();
    }

private:
    Factory factory_;
    QPointer<F> form_;
};
