#pragma once
// The standard controls the program's windows share (check box, drop-down list, group box,
// label) and a form's own window, as plain state with change notification.
#include <functional>
#include <string>
#include <vector>

#include "controls/control_model.h"

namespace controls {

class CheckBox : public ControlModel {
public:
    CheckBox(int id, std::string caption)
        : ControlModel(id, ControlKind::CheckBox, std::move(caption)) {}

    // 0 cleared, 1 checked, 2 greyed. Only 1 counts as ticked.
    int Value() const { return value_; }
    void SetValue(int value) { Set(value_, value, Change::Value); }

private:
    int value_ = 0;
};

// A drop-down list from which one entry is picked: unsorted, in the order entries are added.
class ComboBox : public ControlModel {
public:
    explicit ComboBox(int id) : ControlModel(id, ControlKind::ComboBox, "") {}

    void AddItem(std::string text) {
        items_.push_back(std::move(text));
        Notify(Change::Items);
    }
    int ListCount() const { return static_cast<int>(items_.size()); }
    const std::vector<std::string>& Items() const { return items_; }

    int ListIndex() const { return listIndex_; }
    // Selects an entry, or none with -1, as a user's pick would; selecting an entry runs the
    // Click handler. Returns false, changing nothing, for a position that names no entry.
    bool SetListIndex(int index) {
        if (index < -1 || index >= ListCount()) return false;
        Set(listIndex_, index, Change::Selection);
        if (index >= 0 && onClick) onClick();
        return true;
    }
    // The text of the selected entry, empty with none selected.
    std::string Text() const { return listIndex_ >= 0 ? items_[listIndex_] : std::string(); }

    std::function<void()> onClick;

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

class GroupBox : public ControlModel {
public:
    GroupBox(int id, std::string caption)
        : ControlModel(id, ControlKind::GroupBox, std::move(caption)) {}
};

class Label : public ClickableModel {
public:
    Label(int id, std::string caption)
        : ClickableModel(id, ControlKind::Label, std::move(caption)) {}
};

// The form's own window: caption, back colour, position and size in pixels, visibility.
class FormWindow {
public:
    enum class FormChange { Colors, Position, Visible, Redraw, Enabled };
    using Observer = std::function<void(FormChange)>;

    explicit FormWindow(std::string caption) : caption_(std::move(caption)) {}
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    const std::string& Caption() const { return caption_; }

    Color BackColor() const { return backColor_; }
    void SetBackColor(Color c) {
        if (c == backColor_) return;
        backColor_ = c;
        Notify(FormChange::Colors);
    }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Move(int left, int top) {
        left_ = left;
        top_ = top;
        Notify(FormChange::Position);
    }
    // The host reports the window's outer size once it exists.
    void SetSize(int width, int height) {
        width_ = width;
        height_ = height;
    }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible) {
        if (visible == visible_) return;
        visible_ = visible;
        Notify(FormChange::Visible);
    }

    // A disabled window takes no mouse or keyboard input (the about window disables the main
    // window while it is open).
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) {
        if (enabled == enabled_) return;
        enabled_ = enabled;
        Notify(FormChange::Enabled);
    }

    void Refresh() { Notify(FormChange::Redraw); }

    void SetObserver(Observer observer) { observer_ = std::move(observer); }

private:
    void Notify(FormChange change) {
        if (observer_) observer_(change);
    }

    std::string caption_;
    Color backColor_ = 0xE0E0E0;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    Observer observer_;
};

}  // namespace controls
