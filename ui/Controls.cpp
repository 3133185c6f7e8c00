#include "ui/Controls.h"

#include <algorithm>
#include <stdexcept>

#include "ui/Application.h"
#include "ui/Scaling.h"

namespace ui {

// ---------------------------------------------------------------- Control

Control::Control(WinControl* parent, std::string name) : parent_(parent), name_(std::move(name)) {
  if (parent_) {
    parent_->children_.push_back(this);
    font_ = parent_->GetFont();
    color_ = parent_->GetColor();
  }
}

Control::~Control() {
  peer_.reset();
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

Form* Control::OwnerForm() {
  Control* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<Form*>(c);
}

void Control::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool resized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Changed(Prop::Bounds);
  if (resized) Resized();
}

void Control::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed(Prop::Caption);
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed(Prop::Visible);
}

bool Control::Showing() const {
  for (const Control* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed(Prop::Enabled);
}

void Control::SetFont(const Font& font) {
  font_ = font;
  Changed(Prop::Font);
}

void Control::SetColor(Color color) {
  color_ = color;
  Changed(Prop::Color);
}

bool Control::AcceptsInput() const {
  for (const Control* c = this; c; c = c->parent_) {
    if (!c->enabled_) return false;
    // The form's own visibility is left out: a hidden window gets no input.
    if (!c->visible_ && c->parent_) return false;
  }
  return true;
}

void Control::Click() {
  if (AcceptsInput() && OnClick) OnClick();
}

void Control::DoMouseDown(MouseButton button, ShiftState shift, Point at) {
  if (OnMouseDown) OnMouseDown(button, shift, at);
}

void Control::DoMouseUp(MouseButton button, ShiftState shift, Point at) {
  if (OnMouseUp) OnMouseUp(button, shift, at);
}

void Control::DoKeyDown(int& key, ShiftState shift) {
  if (OnKeyDown) OnKeyDown(key, shift);
}

void Control::DoKeyUp(int& key, ShiftState shift) {
  if (OnKeyUp) OnKeyUp(key, shift);
}

void Control::DoKeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(key);
}

void Control::DoContextPopup(Point at, Point screenAt) {
  if (OnContextPopup) OnContextPopup(at, screenAt);
}

void Control::AttachPeer(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }

// ------------------------------------------------------------- WinControl

Control* WinControl::FindControl(const std::string& name) {
  for (Control* child : children_) {
    if (child->Name() == name) return child;
    if (auto* container = dynamic_cast<WinControl*>(child)) {
      if (Control* found = container->FindControl(name)) return found;
    }
  }
  return nullptr;
}

void WinControl::Resized() {
  for (Control* child : children_) {
    if (child->AlignLeft) child->SetBounds(0, 0, child->Width(), Height());
  }
}

void WinControl::ScaleChanged() {
  Control::ScaleChanged();
  for (Control* child : children_) child->ScaleChanged();
}

void WinControl::RemoveChild(Control* child) {
  auto it = std::find_if(owned_.begin(), owned_.end(),
                         [child](const std::unique_ptr<Control>& c) { return c.get() == child; });
  if (it != owned_.end()) owned_.erase(it);
}

// ------------------------------------------------------------------ Label

Label::Label(WinControl* parent, std::string name, int left, int top, const std::string& caption)
    : Control(parent, std::move(name)) {
  SetTransparent(true);
  SetBounds(left, top, 0, 0);
  SetCaption(caption);
  AdjustSize();
}

void Label::SetCaption(const std::string& caption) {
  Control::SetCaption(caption);
  AdjustSize();
}

void Label::SetFont(const Font& font) {
  Control::SetFont(font);
  AdjustSize();
}

void Label::AdjustSize() {
  if (!App().HasBackend()) return;
  const Form* form = OwnerForm();
  const Size size = App().GetBackend().TextExtent(GetFont(), Caption(), form ? form->Dpi() : kDefaultDpi);
  SetBounds(Left(), Top(), size.Width, size.Height);
}

void Label::ScaleChanged() {
  AdjustSize();
  Control::ScaleChanged();
}

// ----------------------------------------------------------------- Button

Button::Button(WinControl* parent, std::string name, const std::string& caption, int left, int top,
                 int width, int height)
    : Control(parent, std::move(name)) {
  SetCaption(caption);
  SetBounds(left, top, width, height);
}

void Button::SetPressed(bool pressed) {
  if (pressed == pressed_) return;
  pressed_ = pressed;
  Changed(Prop::Value);
}

void Button::Click() {
  if (!AcceptsInput()) return;
  Control::Click();
  Form* form = OwnerForm();
  if (ModalResult != mrNone && form && form->IsModal()) form->ModalResult = ModalResult;
}

void Button::DoMouseDown(MouseButton button, ShiftState shift, Point at) {
  Control::DoMouseDown(button, shift, at);
  if (button != MouseButton::Left || !Enabled()) return;
  if (Form* form = OwnerForm()) form->SetActiveControl(this);
  SetPressed(true);
}

void Button::DoMouseUp(MouseButton button, ShiftState shift, Point at) {
  Control::DoMouseUp(button, shift, at);
  if (button != MouseButton::Left || !pressed_) return;
  SetPressed(false);
  if (at.X >= 0 && at.Y >= 0 && at.X < Width() && at.Y < Height()) Click();
}

// ------------------------------------------------------------------- Edit

Edit::Edit(WinControl* parent, std::string name, int left, int top, int width, int height)
    : Control(parent, std::move(name)) {
  SetBounds(left, top, width, height);
  SetColor(clWindow);
}

void Edit::SetText(const std::string& text) {
  if (text == Caption()) return;
  SetCaption(text);
  if (OnChange) OnChange();
}

void Edit::TextEdited(const std::string& text) {
  if (text == Caption()) return;
  // The window already shows the text: store it without echoing it back.
  StoreCaption(text);
  if (OnChange) OnChange();
}

// ------------------------------------------------------------ ProgressBar

ProgressBar::ProgressBar(WinControl* parent, std::string name, int left, int top, int width,
                           int height)
    : Control(parent, std::move(name)) {
  SetBounds(left, top, width, height);
}

void ProgressBar::SetMax(std::int32_t max) {
  if (max < min_) throw std::range_error("属性值超出范围");
  max_ = max;
  position_ = std::min(position_, max_);
  Changed(Prop::Value);
  if (OnChange) OnChange();
}

void ProgressBar::SetPosition(std::int32_t position) {
  position_ = std::clamp(position, min_, max_);
  Changed(Prop::Value);
  if (OnChange) OnChange();
}

// ------------------------------------------------------------------ Image

Image::Image(WinControl* parent, std::string name, int left, int top, int width, int height)
    : Control(parent, std::move(name)) {
  SetBounds(left, top, width, height);
}

void Image::SetStockIcon(int id) {
  StockIcon = id;
  Changed(Prop::Picture);
}

// -------------------------------------------------------- TabSheet, pages

TabSheet::TabSheet(WinControl* parent, std::string name, const std::string& caption)
    : WinControl(parent, std::move(name)) {
  SetCaption(caption);
}

void TabSheet::SetTabVisible(bool visible) {
  if (visible == tabVisible_) return;
  tabVisible_ = visible;
  if (Parent()) static_cast<PageControl*>(Parent())->SetActivePageIndex(
      static_cast<PageControl*>(Parent())->ActivePageIndex());
}

int TabSheet::PageIndex() const {
  auto* pages = static_cast<PageControl*>(Parent());
  for (int i = 0; i < pages->PageCount(); ++i) {
    if (&pages->Page(i) == this) return i;
  }
  return -1;
}

PageControl::PageControl(WinControl* parent, std::string name, int left, int top, int width,
                           int height)
    : WinControl(parent, std::move(name)) {
  SetBounds(left, top, width, height);
}

TabSheet& PageControl::AddPage(const std::string& name, const std::string& caption) {
  TabSheet& page = Add<TabSheet>(name, caption);
  // A page fills the control below the tab strip.
  page.SetBounds(4, TabHeight + 4, Width() - 8, Height() - TabHeight - 8);
  pages_.push_back(&page);
  if (active_ < 0) active_ = 0;
  SetActivePageIndex(active_);
  return page;
}

void PageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageCount()) return;
  active_ = index;
  for (int i = 0; i < PageCount(); ++i) pages_[i]->SetVisible(i == active_);
  Changed(Prop::Tabs);
}

std::vector<int> PageControl::VisibleTabs() const {
  std::vector<int> tabs;
  for (int i = 0; i < PageCount(); ++i) {
    if (pages_[i]->TabVisible()) tabs.push_back(i);
  }
  return tabs;
}

// ------------------------------------------------------------------- Form

Form::Form(Form* owner, std::string name)
    : WinControl(nullptr, std::move(name)),
      owner_(owner),
      dpi_(App().HasBackend() ? App().GetBackend().SystemDpi() : kDefaultDpi) {
  SetVisible(false);
}

void Form::SetDpi(int dpi) {
  if (dpi <= 0 || dpi == dpi_) return;
  dpi_ = dpi;
  ScaleChanged();
}

Form::~Form() = default;

int Form::ShowModal() {
  Backend& backend = App().GetBackend();
  backend.CreatePeers(*this);
  ModalResult = mrNone;
  closed_ = false;
  modal_ = true;
  struct ModalEnd {
    Form& form;
    Backend& backend;
    ~ModalEnd() {
      form.modal_ = false;
      form.SetVisible(false);
      backend.HideForm(form);
    }
  } end{*this, backend};
  SetVisible(true);
  backend.ShowForm(*this);
  if (OnShow) OnShow();
  backend.RunModal(*this);
  return ModalResult;
}

void Form::Show() {
  Backend& backend = App().GetBackend();
  backend.CreatePeers(*this);
  closed_ = false;
  SetVisible(true);
  backend.ShowForm(*this);
  if (OnShow) OnShow();
}

void Form::Close() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(canClose);
  if (!canClose) return;
  if (modal_) {
    ModalResult = mrCancel;
    return;
  }
  if (OnClose) OnClose();
  closed_ = true;
  SetVisible(false);
  App().GetBackend().HideForm(*this);
}

void Form::SetTaskbar(const TaskbarProgress& progress) {
  if (progress == taskbar_) return;
  taskbar_ = progress;
  Changed(Prop::Taskbar);
}

TaskbarStateScope::TaskbarStateScope(Form& form, TaskbarState state)
    : form_(form), previous_(form.Taskbar().State) {
  if (previous_ == TaskbarState::None) return;
  TaskbarProgress shown = form.Taskbar();
  shown.State = state;
  form.SetTaskbar(shown);
}

TaskbarStateScope::~TaskbarStateScope() {
  if (previous_ == TaskbarState::None) return;
  TaskbarProgress shown = form_.Taskbar();
  shown.State = previous_;
  form_.SetTaskbar(shown);
}

void Form::SetActiveControl(Control* control) {
  if (control == active_) return;
  active_ = control;
  Changed(Prop::Focus);
}

void Form::DispatchKeyDown(int key, ShiftState shift) {
  if (key == kKeyF4 && shift.Alt) {
    Close();
    return;
  }
  if (OwnKeyHandling || KeyPreview) {
    DoKeyDown(key, shift);
    if (key == 0) return;
  }
  if (active_) active_->DoKeyDown(key, shift);
}

void Form::DispatchKeyUp(int key, ShiftState shift) {
  if (OwnKeyHandling || KeyPreview) {
    DoKeyUp(key, shift);
    if (key == 0) return;
  }
  if (active_) active_->DoKeyUp(key, shift);
}

void Form::DispatchChar(char key) {
  if (OwnKeyHandling || KeyPreview) {
    DoKeyPress(key);
    if (key == 0) return;
  }
  if (active_) active_->DoKeyPress(key);
}

}  // namespace ui
