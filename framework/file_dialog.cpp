#include "framework/file_dialog.h"

#include <commdlg.h>

namespace framework {

std::optional<std::string> AskFileName(HWND owner, FileDialogKind kind, const char* title, const char* filter) {
  std::string filters = filter;
  for (char& c : filters) {
    if (c == '|') c = '\0';
  }
  char file[MAX_PATH] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrTitle = title;
  const BOOL chosen = kind == FileDialogKind::Save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  if (!chosen) return std::nullopt;
  return std::string(file);
}

}  // namespace framework
