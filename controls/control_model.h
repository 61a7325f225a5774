#pragma once
// The state every control of a form shares, held apart from any window so that the form's
// logic runs and is tested without one. A host (the Win32 window, or a test) observes the
// changes and mirrors them to whatever shows the control.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace controls {

using Color = std::uint32_t;  // 0x00BBGGRR

// What a control is, for the hosts that make a window of each kind: PushButton is PellXPButton,
// SmallButton xpcmdbutton; PushButton, SmallButton and Label are ClickableModels.
enum class ControlKind { PushButton, SmallButton, CheckBox, ComboBox, GroupBox, Label, SkinnedFrame };

enum class Change { Caption, Enabled, Visible, TabStop, Colors, Value, Items, Selection, Redraw };

class ControlModel {
public:
    using Observer = std::function<void(ControlModel&, Change)>;

    ControlModel(int id, ControlKind kind, std::string caption)
        : id_(id), kind_(kind), caption_(std::move(caption)) {}
    ControlModel(const ControlModel&) = delete;
    ControlModel& operator=(const ControlModel&) = delete;
    virtual ~ControlModel() = default;

    int Id() const { return id_; }
    ControlKind Kind() const { return kind_; }

    // Caption, Enabled, BackColor and ForeColor have one setter each, here, also for controls
    // that react to them: the setter stores the value, tells the host when it changed, then
    // runs the control's own reaction (the OnXxxSet hook), on every assignment, changed or not,
    // as a property's let does. A call through a ControlModel reference therefore does what a
    // call through the control's own type does.
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) {
        StoreCaption(std::move(caption));
        OnCaptionSet();
    }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) {
        StoreEnabled(enabled);
        OnEnabledSet();
    }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { Set(visible_, visible, Change::Visible); }

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { Set(tabStop_, tabStop, Change::TabStop); }

    Color BackColor() const { return backColor_; }
    void SetBackColor(Color c) {
        StoreBackColor(c);
        OnBackColorSet();
    }
    Color ForeColor() const { return foreColor_; }
    void SetForeColor(Color c) {
        StoreForeColor(c);
        OnForeColorSet();
    }

    // Asks the host to draw the control again, whether or not anything changed.
    void Refresh() { Notify(Change::Redraw); }

    void SetObserver(Observer observer) { observer_ = std::move(observer); }

protected:
    // The control's reaction to an assignment (relayout, redraw, design notification); the
    // value is stored and the host told already.
    virtual void OnCaptionSet() {}
    virtual void OnEnabledSet() {}
    virtual void OnBackColorSet() {}
    virtual void OnForeColorSet() {}

    // Storing without the reaction: for constructors and for loading stored settings, which
    // lay out and draw once at their end.
    void StoreCaption(std::string caption) { Set(caption_, std::move(caption), Change::Caption); }
    void StoreEnabled(bool enabled) { Set(enabled_, enabled, Change::Enabled); }
    void StoreBackColor(Color c) { Set(backColor_, c, Change::Colors); }
    void StoreForeColor(Color c) { Set(foreColor_, c, Change::Colors); }

    void Notify(Change change) {
        if (observer_) observer_(*this, change);
    }

    template <typename T, typename U>
    void Set(T& member, U&& value, Change change) {
        if (member == value) return;
        member = std::forward<U>(value);
        Notify(change);
    }

private:
    int id_;
    ControlKind kind_;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    bool tabStop_ = true;
    Color backColor_ = 0xE0E0E0;
    Color foreColor_ = 0x000000;
    Observer observer_;
};

// A control that reports a click to its form.
class ClickableModel : public ControlModel {
public:
    using ControlModel::ControlModel;

    std::function<void()> onClick;

    // Raised by the host when the user clicks, or by code that clicks on the user's behalf.
    void Click() {
        if (Enabled() && onClick) onClick();
    }
};

}  // namespace controls
