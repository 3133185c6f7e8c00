#include "ui/Application.h"

#include <stdexcept>

#include "text/AnsiText.h"

namespace ui {

Application& App() {
  static Application app;
  return app;
}

std::string Application::TitleFromExeName(const std::string& exePath) {
  std::string name = text::ExtractFileName(exePath);
  const std::size_t dot = name.find('.');
  if (dot != std::string::npos) name.erase(dot);
  if (name.empty()) return name;
  const std::size_t firstLength =
      text::IsLeadByte(static_cast<unsigned char>(name[0])) && name.size() > 1 ? 2 : 1;
  return name.substr(0, firstLength) + text::LowerAscii(name.substr(firstLength));
}

std::string Application::ErrorReportText(const std::string& message) {
  const std::size_t last = text::LastCharStart(message);
  if (last != std::string::npos && static_cast<unsigned char>(message[last]) > '.') return message + ".";
  return message;
}

Backend& Application::GetBackend() {
  if (!backend_) throw std::logic_error("no user-interface backend installed");
  return *backend_;
}

void Application::Dispatch(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ShowException(error);
  }
}

void Application::ShowException(const std::exception& error) {
  GetBackend().ShowErrorBox(Title, ErrorReportText(error.what()));
}

void Application::ProcessMessages() { GetBackend().ProcessMessages(); }

void Application::Run(Form& mainForm) {
  mainForm.Show();
  GetBackend().RunMainLoop(mainForm);
}

void Application::SetScreenCursor(Cursor cursor) {
  cursor_ = cursor;
  if (backend_) backend_->SetCursor(cursor);
}

HourGlassCursor::HourGlassCursor() : previous_(App().ScreenCursor()) {
  App().SetScreenCursor(Cursor::HourGlass);
}

HourGlassCursor::~HourGlassCursor() { App().SetScreenCursor(previous_); }

}  // namespace ui
