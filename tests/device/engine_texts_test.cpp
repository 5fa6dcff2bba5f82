// The engine's texts in each language and their formatter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/kiosk_engine/core/engine_texts.h"

namespace {

using namespace device::kiosk_engine;

constexpr Language kLanguages[] = {Language::English, Language::Spanish, Language::Brazilian};

// Known entries at both ends of the table and between, so a shifted row or
// column shows.
TEST(EngineTexts, KnownEntriesPerLanguage) {
  for (const auto& [language, text, expected] : std::vector<std::tuple<Language, EngineText, std::wstring>>{
           {Language::English, EngineText::StartupCaption, L"Brindlecove"},
           {Language::English, EngineText::Continue, L"Continue"},
           {Language::English, EngineText::Ok, L"OK"},
           {Language::English, EngineText::WrongCode, L"Wrong code."},
           {Language::English, EngineText::UnlockMenuItem, L"Unlock device..."},
           {Language::Spanish, EngineText::KioskCaption, L"Quiosco Brindlecove"},
           {Language::Spanish, EngineText::Version, L"Versión %1"},
           {Language::Spanish, EngineText::Ok, L"Aceptar"},
           {Language::Spanish, EngineText::ApplicationNotFound, L"No se encontró la aplicación %1."},
           {Language::Spanish, EngineText::UnlockMenuItem, L"Desbloquear el dispositivo..."},
           {Language::Brazilian, EngineText::KioskCaption, L"Quiosque Brindlecove"},
           {Language::Brazilian, EngineText::Version, L"Versão %1"},
           {Language::Brazilian, EngineText::CodePrompt, L"Digite o código do administrador:"},
           {Language::Brazilian, EngineText::WrongCode, L"Código incorreto."},
           {Language::Brazilian, EngineText::UnlockMenuItem, L"Desbloquear o dispositivo..."},
           {Language::English, EngineText::CodesRefused, L"Too many wrong codes. Wait %1 s."},
           {Language::Spanish, EngineText::CodesRefused, L"Demasiados códigos incorrectos. Espere %1 s."},
           {Language::Brazilian, EngineText::CodesRefused, L"Muitos códigos incorretos. Aguarde %1 s."}}) {
    EXPECT_EQ(TextOf(language, text), expected) << static_cast<int>(text);
  }
}

TEST(EngineTexts, EveryTextInEveryLanguageAndNothingOutside) {
  for (Language language : kLanguages) {
    for (int i = 0; i < static_cast<int>(EngineText::Count); ++i) {
      const std::wstring text = TextOf(language, static_cast<EngineText>(i));
      const bool takesInsert = i == static_cast<int>(EngineText::SecondsLeft) ||
                               i == static_cast<int>(EngineText::Version) ||
                               i == static_cast<int>(EngineText::ApplicationNotFound) ||
                               i == static_cast<int>(EngineText::CodesRefused);
      EXPECT_FALSE(text.empty()) << i;
      EXPECT_EQ(text.find(L"%1") != std::wstring::npos, takesInsert) << i;
    }
    EXPECT_EQ(std::wstring(TextOf(language, EngineText::Count)), L"");
  }
  EXPECT_EQ(std::wstring(TextOf(static_cast<Language>(3), EngineText::Continue)), L"");
}

TEST(EngineTexts, FormatReplacesTheFirstInsertOnly) {
  EXPECT_EQ(std::wstring(FormatText(L"Seconds left: %1", 0u).Get()), L"Seconds left: 0");
  EXPECT_EQ(std::wstring(FormatText(L"%1s", 4294967295u).Get()), L"4294967295s");
  EXPECT_EQ(std::wstring(FormatText(L"App %1 not found.", L"\\a b.exe").Get()), L"App \\a b.exe not found.");
  EXPECT_EQ(std::wstring(FormatText(L"%1 and %1", L"x").Get()), L"x and %1");
  EXPECT_EQ(std::wstring(FormatText(L"no insert %", 5u).Get()), L"no insert %");
  EXPECT_EQ(std::wstring(FormatText(L"%1", L"").Get()), L"");
}

TEST(EngineTexts, FormatCutsAtItsBuffer) {
  const std::wstring fits(kScreenTextSize - 2, L'p');
  const ScreenText whole = FormatText(L"%1.", fits.c_str());
  EXPECT_TRUE(whole.Whole());
  EXPECT_EQ(std::wstring(whole.Get()), fits + L".");
  const ScreenText cut = FormatText(L"%1..", fits.c_str());
  EXPECT_FALSE(cut.Whole());
  EXPECT_EQ(std::wstring(cut.Get()), fits + L".");
}

}  // namespace
