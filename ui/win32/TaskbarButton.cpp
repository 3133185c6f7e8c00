#include "ui/win32/TaskbarButton.h"

namespace ui::win32 {
namespace {

TBPFLAG Flag(TaskbarState state) {
  switch (state) {
    case TaskbarState::Normal:
      return TBPF_NORMAL;
    case TaskbarState::Paused:
      return TBPF_PAUSED;
    case TaskbarState::Error:
      return TBPF_ERROR;
    default:
      return TBPF_NOPROGRESS;
  }
}

}  // namespace

void TaskbarButton::Show(HWND window, const TaskbarProgress& progress) {
  if (!looked_) {
    looked_ = true;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                list_.ReceiveVoid())) ||
        FAILED(list_->HrInit())) {
      list_.Reset();
    }
  }
  if (!list_ || !window) return;
  // The state first: a value set while no progress is shown would show it normal.
  list_->SetProgressState(window, Flag(progress.State));
  if (progress.State != TaskbarState::None && progress.Total > 0) {
    list_->SetProgressValue(window, static_cast<ULONGLONG>(progress.Completed),
                            static_cast<ULONGLONG>(progress.Total));
  }
}

}  // namespace ui::win32
