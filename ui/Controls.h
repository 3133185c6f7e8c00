// Our widget toolkit: controls as objects with properties and events, in the
// spirit of a classic component library. A control keeps its own state; a
// backend may attach a peer (a real window) that mirrors it. Without a peer
// (the headless backend) the controls work the same and tests drive them
// through the input entry points (DoMouseDown, DoKeyDown, Click, ...).
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

// 0x00BBGGRR like COLORREF; system colours are 0x80000000 | COLOR_xxx index.
using Color = std::uint32_t;
constexpr Color clBlack = 0x000000;
constexpr Color clRed = 0x0000FF;
constexpr Color clWindow = 0x80000005;
constexpr Color clWindowText = 0x80000008;
constexpr Color clHighlight = 0x8000000D;
constexpr Color clBtnFace = 0x8000000F;
constexpr Color clBtnShadow = 0x80000010;
constexpr Color clBtnText = 0x80000012;

// Height is the character cell height in pixels.
struct Font {
  std::string Name = "Arial";
  int Height = 14;
  bool Bold = false;
  Color FontColor = clWindowText;
  bool operator==(const Font& o) const {
    return Name == o.Name && Height == o.Height && Bold == o.Bold && FontColor == o.FontColor;
  }
};

struct Point {
  int X = 0, Y = 0;
};
struct Size {
  int Width = 0, Height = 0;
};
struct Rect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool Contains(Point p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
};

enum class MouseButton { Left, Right, Middle };
struct ShiftState {
  bool Shift = false, Ctrl = false, Alt = false;
};

// Virtual key codes, as Win32 numbers them.
enum Key : int {
  kKeyBack = 0x08, kKeyTab = 0x09, kKeyReturn = 0x0D, kKeyEscape = 0x1B, kKeySpace = 0x20,
  kKeyEnd = 0x23, kKeyHome = 0x24, kKeyLeft = 0x25, kKeyUp = 0x26, kKeyRight = 0x27, kKeyDown = 0x28,
  kKeyF4 = 0x73,
};

// Dialog results; any result other than mrNone ends a modal window.
enum ModalResultCode : int {
  mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
  mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10,
};

// What a peer must reflect after the control changed.
// Scale: the form's DPI changed; places, sizes, fonts and pictures are shown
// anew at the new scale. Taskbar: the form's taskbar progress changed.
enum class Prop { Bounds, Caption, Visible, Enabled, Font, Color, Value, Tabs, Items, Picture, Focus, Scale, Taskbar };

class Control;
class WinControl;
class Form;

// The backend's mirror of one control (a real window on Win32).
class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual void Changed(Prop what) = 0;
};

class Control {
 public:
  Control(WinControl* parent, std::string name);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // What kind of native control stands for this one ("Button", "Label", ...).
  virtual const char* Kind() const = 0;

  const std::string& Name() const { return name_; }
  WinControl* Parent() const { return parent_; }
  Form* OwnerForm();
  const Form* OwnerForm() const { return const_cast<Control*>(this)->OwnerForm(); }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  Rect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }

  const std::string& Caption() const { return caption_; }
  virtual void SetCaption(const std::string& caption);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Visible itself and every parent up to the form.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Visible and enabled, itself and every parent below the form: only then
  // does a click (or the key that presses a button) reach the control.
  bool AcceptsInput() const;
  const Font& GetFont() const { return font_; }
  void SetFont(const Font& font);
  Color GetColor() const { return color_; }
  void SetColor(Color color);
  // A control aligned to the left fills its parent's height at the left edge.
  bool AlignLeft = false;
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool t) { transparent_ = t; }

  std::function<void()> OnClick;
  std::function<void(MouseButton, ShiftState, Point)> OnMouseDown;
  std::function<void(MouseButton, ShiftState, Point)> OnMouseUp;
  std::function<void(int& key, ShiftState)> OnKeyDown;
  std::function<void(int& key, ShiftState)> OnKeyUp;
  std::function<void(char& key)> OnKeyPress;  // a typed character; set it to 0 to withhold it
  // A context menu is asked for (right click or the menu key): at is in the
  // control's client pixels, screenAt on the screen (where a menu opens).
  std::function<void(Point at, Point screenAt)> OnContextPopup;

  // Input entry points: the backend (or a test) reports what the user did.
  // A click on a control that does not accept input does nothing: a click
  // queued or posted while it did may be handled after it was disabled or
  // hidden.
  virtual void Click();
  virtual void DoMouseDown(MouseButton button, ShiftState shift, Point at);
  virtual void DoMouseUp(MouseButton button, ShiftState shift, Point at);
  virtual void DoKeyDown(int& key, ShiftState shift);
  virtual void DoKeyUp(int& key, ShiftState shift);
  virtual void DoKeyPress(char& key);
  virtual void DoContextPopup(Point at, Point screenAt);

  ControlPeer* Peer() const { return peer_.get(); }
  void AttachPeer(std::unique_ptr<ControlPeer> peer);
  // The form's DPI changed: shows the control anew at the new scale.
  virtual void ScaleChanged() { Changed(Prop::Scale); }
  void DetachPeer() { peer_.reset(); }

 protected:
  // Runs after the width or the height changed.
  virtual void Resized() {}
  void Changed(Prop what) {
    if (peer_) peer_->Changed(what);
  }
  // Stores a caption that the peer already shows (typed by the user).
  void StoreCaption(const std::string& caption) { caption_ = caption; }

 private:
  WinControl* parent_;
  std::string name_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::string caption_;
  bool visible_ = true;
  bool enabled_ = true;
  bool transparent_ = false;
  Font font_;
  Color color_ = clBtnFace;
  std::unique_ptr<ControlPeer> peer_;
};

// A control that holds other controls. Children are owned by their parent and
// kept in creation order (which is also the tab order).
class WinControl : public Control {
 public:
  using Control::Control;
  const std::vector<Control*>& Controls() const { return children_; }
  // Creates a child control owned by this one.
  template <class T, class... Args>
  T& Add(Args&&... args) {
    auto child = std::make_unique<T>(this, std::forward<Args>(args)...);
    T& ref = *child;
    owned_.push_back(std::move(child));
    return ref;
  }
  // Depth-first search by name; nullptr when absent.
  Control* FindControl(const std::string& name);
  void RemoveChild(Control* child);
  // The control itself first, then its children.
  void ScaleChanged() override;

 protected:
  void Resized() override;

 private:
  friend class Control;
  std::vector<Control*> children_;
  std::vector<std::unique_ptr<Control>> owned_;
};

class Panel : public WinControl {
 public:
  Panel(WinControl* parent, std::string name) : WinControl(parent, std::move(name)) {}
  const char* Kind() const override { return "Panel"; }
};

class Label : public Control {
 public:
  Label(WinControl* parent, std::string name, int left, int top, const std::string& caption);
  const char* Kind() const override { return "Label"; }
  // Labels size themselves to their text (no wrapping; each line break
  // starts a new line).
  void SetCaption(const std::string& caption) override;
  void SetFont(const Font& font);
  // Measured in the font of the form's scale (see Form::Dpi).
  void AdjustSize();
  void ScaleChanged() override;
};

class Button : public Control {
 public:
  Button(WinControl* parent, std::string name, const std::string& caption, int left, int top,
          int width, int height);
  const char* Kind() const override { return "Button"; }
  int ModalResult = mrNone;
  bool Default = false;  // answers Enter in ordinary forms
  bool Cancel = false;   // answers Escape in ordinary forms
  bool Pressed() const { return pressed_; }
  void SetPressed(bool pressed);
  // Raises OnClick, then hands ModalResult to the form.
  void Click() override;
  // A left press shows the button pressed and focuses it; the release over
  // the button clicks it, a release elsewhere does not. (A Win32 button does
  // this itself and reports only the click.)
  void DoMouseDown(MouseButton button, ShiftState shift, Point at) override;
  void DoMouseUp(MouseButton button, ShiftState shift, Point at) override;

 private:
  bool pressed_ = false;
};

class Edit : public Control {
 public:
  Edit(WinControl* parent, std::string name, int left, int top, int width, int height);
  const char* Kind() const override { return "Edit"; }
  const std::string& Text() const { return Caption(); }
  // Changing the text, by the program or by typing, raises OnChange.
  void SetText(const std::string& text);
  std::function<void()> OnChange;
  // Backends report text typed by the user here (no peer update).
  void TextEdited(const std::string& text);
};

class ProgressBar : public Control {
 public:
  ProgressBar(WinControl* parent, std::string name, int left, int top, int width, int height);
  const char* Kind() const override { return "ProgressBar"; }
  std::int32_t Min() const { return min_; }
  std::int32_t Max() const { return max_; }
  std::int32_t Position() const { return position_; }
  // A maximum below the minimum is refused with an error; the position is
  // always kept within the range.
  void SetMax(std::int32_t max);
  void SetPosition(std::int32_t position);
  // Raised after the maximum or the position was set.
  std::function<void()> OnChange;

 private:
  std::int32_t min_ = 0, max_ = 100, position_ = 100;
};

// A picture: a bitmap resource, drawn unscaled at the top left.
class Image : public Control {
 public:
  Image(WinControl* parent, std::string name, int left, int top, int width, int height);
  const char* Kind() const override { return "Image"; }
  std::string ResourceName;  // bitmap resource of the program
  int StockIcon = 0;         // or a stock icon id (IDI_xxx); 0 for none
  void SetStockIcon(int id);
};

class PageControl;
class TabSheet : public WinControl {
 public:
  TabSheet(WinControl* parent, std::string name, const std::string& caption);
  const char* Kind() const override { return "TabSheet"; }
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool visible);
  int PageIndex() const;

 private:
  bool tabVisible_ = true;
};

class PageControl : public WinControl {
 public:
  PageControl(WinControl* parent, std::string name, int left, int top, int width, int height);
  const char* Kind() const override { return "PageControl"; }
  int TabHeight = 20;
  TabSheet& AddPage(const std::string& name, const std::string& caption);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TabSheet& Page(int index) const { return *pages_.at(index); }
  int ActivePageIndex() const { return active_; }
  // Only the active page is shown; its tab need not be visible.
  void SetActivePageIndex(int index);
  // The pages whose tab is visible, in page order (what the tab strip shows).
  std::vector<int> VisibleTabs() const;

 private:
  std::vector<TabSheet*> pages_;
  int active_ = -1;
};

// What a form's taskbar button shows: no progress, or progress in the
// normal, paused or error state (Completed of Total).
enum class TaskbarState { None, Normal, Paused, Error };
struct TaskbarProgress {
  TaskbarState State = TaskbarState::None;
  std::int64_t Completed = 0, Total = 0;
  bool operator==(const TaskbarProgress& o) const {
    return State == o.State && Completed == o.Completed && Total == o.Total;
  }
};

enum class BorderStyle { Sizeable, Dialog };
enum class FormPosition { Designed, ScreenCenter, OwnerFormCenter };

class Form : public WinControl {
 public:
  Form(Form* owner, std::string name);
  ~Form() override;
  const char* Kind() const override { return "Form"; }

  Form* Owner() const { return owner_; }
  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }
  void SetClientSize(int width, int height) { SetBounds(Left(), Top(), width, height); }
  BorderStyle Border = BorderStyle::Sizeable;
  FormPosition Position = FormPosition::ScreenCenter;
  bool CloseButton = true;  // the frame's only caption button
  // The form handles every key itself: no system dialog navigation, no
  // default or escape buttons; keys reach OnKeyDown/OnKeyUp/OnKeyPress.
  bool OwnKeyHandling = false;
  // The form's key events see every key first; a key they leave non-zero
  // goes on as usual (to the focused control, dialog navigation included).
  bool KeyPreview = false;
  std::string IconResource;  // frame icon; empty for none
  // Screen readers take the window for a dialog and read its texts when it
  // opens (set before the window is made).
  bool AccessibleDialog = false;

  // Dots per inch of the screen the form's window is on; every place, size
  // and font height of the form stays in 96-DPI pixels and is scaled by it
  // where the window is laid out (ui/Scaling.h). A new form starts at the
  // backend's system DPI; the backend sets the window's own.
  int Dpi() const { return dpi_; }
  // Measures the labels anew and lays the window out again at dpi.
  void SetDpi(int dpi);

  // The progress on the form's taskbar button. Where the system has no
  // such button the form still keeps it (and tests read it here).
  const TaskbarProgress& Taskbar() const { return taskbar_; }
  void SetTaskbar(const TaskbarProgress& progress);

  int ModalResult = mrNone;
  bool IsModal() const { return modal_; }
  // Shows the form modally and returns its ModalResult.
  int ShowModal();
  void Show();
  // Close request, as by the frame's close button or Alt+F4: asks
  // OnCloseQuery; a modal form then ends with mrCancel, another one closes.
  void Close();
  bool Closed() const { return closed_; }

  std::function<void(bool& canClose)> OnCloseQuery;
  std::function<void()> OnShow;
  std::function<void()> OnClose;
  // While the form is shown modally: raised about once a second, and at once
  // when the system reports that a device came or went (a disc inserted or
  // taken out), for a form that waits for something to arrive.
  std::function<void()> OnDeviceWatch;

  // The control that has the keyboard focus (nullptr for the form itself).
  Control* ActiveControl() const { return active_; }
  void SetActiveControl(Control* control);

  // Keys go to the focused control, or to the form's own handlers first when
  // OwnKeyHandling or KeyPreview is set.
  void DispatchKeyDown(int key, ShiftState shift);
  void DispatchKeyUp(int key, ShiftState shift);
  void DispatchChar(char key);

 private:
  friend class Application;
  Form* owner_;
  Control* active_ = nullptr;
  bool modal_ = false;
  bool closed_ = false;
  int dpi_;
  TaskbarProgress taskbar_;
};

// Shows a state on a form's taskbar button while it lives, then the state
// shown before; a button that shows no progress is left alone.
class TaskbarStateScope {
 public:
  TaskbarStateScope(Form& form, TaskbarState state);
  ~TaskbarStateScope();
  TaskbarStateScope(const TaskbarStateScope&) = delete;
  TaskbarStateScope& operator=(const TaskbarStateScope&) = delete;

 private:
  Form& form_;
  TaskbarState previous_;
};

}  // namespace ui
