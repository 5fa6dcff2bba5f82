#include "device/kiosk_engine/code_prompt.h"

#include "device/engine_contract/engine_contract.h"
#include "device/kiosk_engine/core/code_check.h"
#include "device/kiosk_engine/engine_files.h"
#include "device/kiosk_engine/kiosk_controls.h"

namespace device::kiosk_engine {

void CodePrompt::Show(HWND window, Language language, const CodePromptLayout& layout) {
  controls_.Add(window, L"STATIC", TextOf(language, EngineText::CodePrompt), kTextStyle, kCodeLabelId,
                layout.question);
  codeBox_ = controls_.Add(window, L"EDIT", L"", kCodeBoxStyle, kCodeBoxId, layout.codeBox);
  controls_.Add(window, L"BUTTON", TextOf(language, EngineText::Ok), kButtonStyle, kCodeOkId, layout.okButton);
  controls_.Add(window, L"BUTTON", TextOf(language, EngineText::Cancel), kButtonStyle, kCodeCancelId,
                layout.cancelButton);
  SetFocus(codeBox_);
}

bool CodeIsRight(HWND codeBox) {
  // Room for one digit more than the file holds: a longer entry is wrong.
  constexpr int kTypedUnits = engine_contract::kCodeCompareLength + 2;
  wchar_t typed[kTypedUnits] = {};
  GetWindowTextW(codeBox, typed, kTypedUnits);
  SetWindowTextW(codeBox, L"");
  const FileContent codeFile(engine_contract::kCodeFilePath.wide);
  return codeFile.Bytes() != nullptr && TypedCodeMatchesFile(codeFile.Bytes(), codeFile.Size(), typed);
}

}  // namespace device::kiosk_engine
