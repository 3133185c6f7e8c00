#include "ui/Controls.h"

#include <algorithm>
#include <stdexcept>

#include "ui/Application.h"
#include "ui/Scaling.h"

namespace ui {

// ---------------------------------------------------------------- TControl

TControl::TControl(TWinControl* parent, std::string name) : parent_(parent), name_(std::move(name)) {
  if (parent_) {
    parent_->children_.push_back(this);
    font_ = parent_->GetFont();
    color_ = parent_->GetColor();
  }
}

TControl::~TControl() {
  peer_.reset();
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

TForm* TControl::OwnerForm() {
  TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TForm*>(c);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool resized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Changed(Prop::Bounds);
  if (resized) Resized();
}

void TControl::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed(Prop::Caption);
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed(Prop::Visible);
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed(Prop::Enabled);
}

void TControl::SetFont(const Font& font) {
  font_ = font;
  Changed(Prop::Font);
}

void TControl::SetColor(Color color) {
  color_ = color;
  Changed(Prop::Color);
}

bool TControl::AcceptsInput() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (!c->enabled_) return false;
    // The form's own visibility is left out: a hidden window gets no input.
    if (!c->visible_ && c->parent_) return false;
  }
  return true;
}

void TControl::Click() {
  if (AcceptsInput() && OnClick) OnClick();
}

void TControl::DoMouseDown(MouseButton button, ShiftState shift, Point at) {
  if (OnMouseDown) OnMouseDown(button, shift, at);
}

void TControl::DoMouseUp(MouseButton button, ShiftState shift, Point at) {
  if (OnMouseUp) OnMouseUp(button, shift, at);
}

void TControl::DoKeyDown(int& key, ShiftState shift) {
  if (OnKeyDown) OnKeyDown(key, shift);
}

void TControl::DoKeyUp(int& key, ShiftState shift) {
  if (OnKeyUp) OnKeyUp(key, shift);
}

void TControl::DoKeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(key);
}

void TControl::DoContextPopup(Point at, Point screenAt) {
  if (OnContextPopup) OnContextPopup(at, screenAt);
}

void TControl::AttachPeer(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }

// ------------------------------------------------------------- TWinControl

TControl* TWinControl::FindControl(const std::string& name) {
  for (TControl* child : children_) {
    if (child->Name() == name) return child;
    if (auto* container = dynamic_cast<TWinControl*>(child)) {
      if (TControl* found = container->FindControl(name)) return found;
    }
  }
  return nullptr;
}

void TWinControl::Resized() {
  for (TControl* child : children_) {
    if (child->AlignLeft) child->SetBounds(0, 0, child->Width(), Height());
  }
}

void TWinControl::ScaleChanged() {
  TControl::ScaleChanged();
  for (TControl* child : children_) child->ScaleChanged();
}

void TWinControl::RemoveChild(TControl* child) {
  auto it = std::find_if(owned_.begin(), owned_.end(),
                         [child](const std::unique_ptr<TControl>& c) { return c.get() == child; });
  if (it != owned_.end()) owned_.erase(it);
}

// ------------------------------------------------------------------ TLabel

TLabel::TLabel(TWinControl* parent, std::string name, int left, int top, const std::string& caption)
    : TControl(parent, std::move(name)) {
  SetTransparent(true);
  SetBounds(left, top, 0, 0);
  SetCaption(caption);
  AdjustSize();
}

void TLabel::SetCaption(const std::string& caption) {
  TControl::SetCaption(caption);
  AdjustSize();
}

void TLabel::SetFont(const Font& font) {
  TControl::SetFont(font);
  AdjustSize();
}

void TLabel::AdjustSize() {
  if (!App().HasBackend()) return;
  const TForm* form = OwnerForm();
  const Size size = App().GetBackend().TextExtent(GetFont(), Caption(), form ? form->Dpi() : kDefaultDpi);
  SetBounds(Left(), Top(), size.Width, size.Height);
}

void TLabel::ScaleChanged() {
  AdjustSize();
  TControl::ScaleChanged();
}

// ----------------------------------------------------------------- TButton

TButton::TButton(TWinControl* parent, std::string name, const std::string& caption, int left, int top,
                 int width, int height)
    : TControl(parent, std::move(name)) {
  SetCaption(caption);
  SetBounds(left, top, width, height);
}

void TButton::SetPressed(bool pressed) {
  if (pressed == pressed_) return;
  pressed_ = pressed;
  Changed(Prop::Value);
}

void TButton::Click() {
  if (!AcceptsInput()) return;
  TControl::Click();
  TForm* form = OwnerForm();
  if (ModalResult != mrNone && form && form->IsModal()) form->ModalResult = ModalResult;
}

void TButton::DoMouseDown(MouseButton button, ShiftState shift, Point at) {
  TControl::DoMouseDown(button, shift, at);
  if (button != MouseButton::Left || !Enabled()) return;
  if (TForm* form = OwnerForm()) form->SetActiveControl(this);
  SetPressed(true);
}

void TButton::DoMouseUp(MouseButton button, ShiftState shift, Point at) {
  TControl::DoMouseUp(button, shift, at);
  if (button != MouseButton::Left || !pressed_) return;
  SetPressed(false);
  if (at.X >= 0 && at.Y >= 0 && at.X < Width() && at.Y < Height()) Click();
}

// ------------------------------------------------------------------- TEdit

TEdit::TEdit(TWinControl* parent, std::string name, int left, int top, int width, int height)
    : TControl(parent, std::move(name)) {
  SetBounds(left, top, width, height);
  SetColor(clWindow);
}

void TEdit::SetText(const std::string& text) {
  if (text == Caption()) return;
  SetCaption(text);
  if (OnChange) OnChange();
}

void TEdit::TextEdited(const std::string& text) {
  if (text == Caption()) return;
  // The window already shows the text: store it without echoing it back.
  StoreCaption(text);
  if (OnChange) OnChange();
}

// ------------------------------------------------------------ TProgressBar

TProgressBar::TProgressBar(TWinControl* parent, std::string name, int left, int top, int width,
                           int height)
    : TControl(parent, std::move(name)) {
  SetBounds(left, top, width, height);
}

void TProgressBar::SetMax(std::int32_t max) {
  if (max < min_) throw std::range_error("属性值超出范围");
  max_ = max;
  position_ = std::min(position_, max_);
  Changed(Prop::Value);
  if (OnChange) OnChange();
}

void TProgressBar::SetPosition(std::int32_t position) {
  position_ = std::clamp(position, min_, max_);
  Changed(Prop::Value);
  if (OnChange) OnChange();
}

// ------------------------------------------------------------------ TImage

TImage::TImage(TWinControl* parent, std::string name, int left, int top, int width, int height)
    : TControl(parent, std::move(name)) {
  SetBounds(left, top, width, height);
}

void TImage::SetStockIcon(int id) {
  StockIcon = id;
  Changed(Prop::Picture);
}

// -------------------------------------------------------- TTabSheet, pages

TTabSheet::TTabSheet(TWinControl* parent, std::string name, const std::string& caption)
    : TWinControl(parent, std::move(name)) {
  SetCaption(caption);
}

void TTabSheet::SetTabVisible(bool visible) {
  if (visible == tabVisible_) return;
  tabVisible_ = visible;
  if (Parent()) static_cast<TPageControl*>(Parent())->SetActivePageIndex(
      static_cast<TPageControl*>(Parent())->ActivePageIndex());
}

int TTabSheet::PageIndex() const {
  auto* pages = static_cast<TPageControl*>(Parent());
  for (int i = 0; i < pages->PageCount(); ++i) {
    if (&pages->Page(i) == this) return i;
  }
  return -1;
}

TPageControl::TPageControl(TWinControl* parent, std::string name, int left, int top, int width,
                           int height)
    : TWinControl(parent, std::move(name)) {
  SetBounds(left, top, width, height);
}

TTabSheet& TPageControl::AddPage(const std::string& name, const std::string& caption) {
  TTabSheet& page = Add<TTabSheet>(name, caption);
  // A page fills the control below the tab strip.
  page.SetBounds(4, TabHeight + 4, Width() - 8, Height() - TabHeight - 8);
  pages_.push_back(&page);
  if (active_ < 0) active_ = 0;
  SetActivePageIndex(active_);
  return page;
}

void TPageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageCount()) return;
  active_ = index;
  for (int i = 0; i < PageCount(); ++i) pages_[i]->SetVisible(i == active_);
  Changed(Prop::Tabs);
}

std::vector<int> TPageControl::VisibleTabs() const {
  std::vector<int> tabs;
  for (int i = 0; i < PageCount(); ++i) {
    if (pages_[i]->TabVisible()) tabs.push_back(i);
  }
  return tabs;
}

// ------------------------------------------------------------------- TForm

TForm::TForm(TForm* owner, std::string name)
    : TWinControl(nullptr, std::move(name)),
      owner_(owner),
      dpi_(App().HasBackend() ? App().GetBackend().SystemDpi() : kDefaultDpi) {
  SetVisible(false);
}

void TForm::SetDpi(int dpi) {
  if (dpi <= 0 || dpi == dpi_) return;
  dpi_ = dpi;
  ScaleChanged();
}

TForm::~TForm() = default;

int TForm::ShowModal() {
  Backend& backend = App().GetBackend();
  backend.CreatePeers(*this);
  ModalResult = mrNone;
  closed_ = false;
  modal_ = true;
  struct ModalEnd {
    TForm& form;
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

void TForm::Show() {
  Backend& backend = App().GetBackend();
  backend.CreatePeers(*this);
  closed_ = false;
  SetVisible(true);
  backend.ShowForm(*this);
  if (OnShow) OnShow();
}

void TForm::Close() {
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

void TForm::SetTaskbar(const TaskbarProgress& progress) {
  if (progress == taskbar_) return;
  taskbar_ = progress;
  Changed(Prop::Taskbar);
}

TaskbarStateScope::TaskbarStateScope(TForm& form, TaskbarState state)
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

void TForm::SetActiveControl(TControl* control) {
  if (control == active_) return;
  active_ = control;
  Changed(Prop::Focus);
}

void TForm::DispatchKeyDown(int key, ShiftState shift) {
  if (key == VK_F4 && shift.Alt) {
    Close();
    return;
  }
  if (OwnKeyHandling || KeyPreview) {
    DoKeyDown(key, shift);
    if (key == 0) return;
  }
  if (active_) active_->DoKeyDown(key, shift);
}

void TForm::DispatchKeyUp(int key, ShiftState shift) {
  if (OwnKeyHandling || KeyPreview) {
    DoKeyUp(key, shift);
    if (key == 0) return;
  }
  if (active_) active_->DoKeyUp(key, shift);
}

void TForm::DispatchChar(char key) {
  if (OwnKeyHandling || KeyPreview) {
    DoKeyPress(key);
    if (key == 0) return;
  }
  if (active_) active_->DoKeyPress(key);
}

}  // namespace ui
