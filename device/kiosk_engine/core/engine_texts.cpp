#include "device/kiosk_engine/core/engine_texts.h"

namespace device::kiosk_engine {

namespace {

constexpr int kLanguageCount = 3;

// One row per text, in EngineText's order; the columns in Language's order.
constexpr const wchar_t* kTexts[][kLanguageCount] = {
    {L"Brindlecove", L"Brindlecove", L"Brindlecove"},
    {L"Brindlecove Kiosk", L"Quiosco Brindlecove", L"Quiosque Brindlecove"},
    {L"Continue", L"Continuar", L"Continuar"},
    {L"Seconds left: %1", L"Segundos restantes: %1", L"Segundos restantes: %1"},
    {L"Version %1", L"Versión %1", L"Versão %1"},
    {L"Administrator code:", L"Código de administrador:", L"Código do administrador:"},
    {L"Unlock", L"Desbloquear", L"Desbloquear"},
    {L"Unlock device", L"Desbloquear el dispositivo", L"Desbloquear o dispositivo"},
    {L"Enter the administrator code:", L"Introduzca el código de administrador:", L"Digite o código do administrador:"},
    {L"OK", L"Aceptar", L"OK"},
    {L"Cancel", L"Cancelar", L"Cancelar"},
    {L"Wrong code.", L"Código incorrecto.", L"Código incorreto."},
    {L"The application %1 was not found.", L"No se encontró la aplicación %1.", L"O aplicativo %1 não foi encontrado."},
    {L"Unlock device...", L"Desbloquear el dispositivo...", L"Desbloquear o dispositivo..."},
    {L"Too many wrong codes. Wait %1 s.", L"Demasiados códigos incorrectos. Espere %1 s.",
     L"Muitos códigos incorretos. Aguarde %1 s."},
};
static_assert(sizeof kTexts / sizeof kTexts[0] == static_cast<unsigned>(EngineText::Count));

// Copies pattern with insert put in place of its first "%1".
template <typename Insert>
ScreenText Format(const wchar_t* pattern, Insert insert) {
  ScreenText text;
  bool inserted = false;
  for (const wchar_t* at = pattern; *at != L'\0'; ++at) {
    if (!inserted && at[0] == L'%' && at[1] == L'1') {
      insert(text);
      inserted = true;
      ++at;
    } else {
      text.Append(at, 1);
    }
  }
  return text;
}

}  // namespace

const wchar_t* TextOf(Language language, EngineText text) {
  const unsigned row = static_cast<unsigned>(text);
  const unsigned column = static_cast<unsigned>(language);
  if (row >= static_cast<unsigned>(EngineText::Count) || column >= kLanguageCount) return L"";
  return kTexts[row][column];
}

ScreenText FormatText(const wchar_t* pattern, unsigned number) {
  return Format(pattern, [number](ScreenText& text) { text.AppendNumber(number); });
}

ScreenText FormatText(const wchar_t* pattern, const wchar_t* insert) {
  return Format(pattern, [insert](ScreenText& text) { text.Append(insert); });
}

}  // namespace device::kiosk_engine
