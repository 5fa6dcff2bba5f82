#include "builder/project_file/project_document.h"

#include <type_traits>
#include <variant>

#include "builder/project_file/value_encoding.h"

namespace builder::project_file {

using main_window::ProjectSettings;

namespace {

struct LogoSetting {};
struct LanguageSetting {};
using SettingField =
    std::variant<int32_t ProjectSettings::*, std::string ProjectSettings::*, LogoSetting, LanguageSetting>;

struct SettingElement {
  const char* name;
  SettingField field;
};

// A setting element bears the name of the member that holds it.
#define BC_SETTING(member) \
  SettingElement { #member, &ProjectSettings::member }

// The setting elements in the order in which they are written.
constexpr SettingElement kSettingElements[] = {
    BC_SETTING(startuptimer),          BC_SETTING(disableactivesyncconnection), BC_SETTING(enablekioskdesktop),
    BC_SETTING(unlockontitletap),      BC_SETTING(showsipiconinkioskdesktop),   BC_SETTING(enabletaskbarinkioskdesktop),
    BC_SETTING(kioskdesktoptitletext), BC_SETTING(disablehardwarebuttons),      BC_SETTING(showtaskbar),
    BC_SETTING(showversion),           BC_SETTING(disablecontinuebutton),       BC_SETTING(restartdelay),
    {"logo", LogoSetting{}},           {"language", LanguageSetting{}},         BC_SETTING(admincode)};

#undef BC_SETTING

constexpr const char* kApplicationElement = "otherapplication";
constexpr const char* kMainApplicationElement = "mainapplication";

std::u16string Ascii(const char* name) { return WideFromBytes(name); }

void ReadText(const XmlElement& element, const char* attribute, std::string& field) {
  if (const auto* value = element.FindAttribute(Ascii(attribute))) field = BytesFromWide(*value);
}

void ReadInteger(const XmlElement& element, const char* attribute, int32_t& field) {
  if (const auto* value = element.FindAttribute(Ascii(attribute))) field = DecodeInteger(*value);
}

XmlElement ApplicationElement(const project::ApplicationEntry& entry) {
  XmlElement element{Ascii(kApplicationElement), {}, {}};
  element.AddAttribute(u"display_name", WideFromBytes(entry.display_name));
  element.AddAttribute(u"path", WideFromBytes(entry.path));
  element.AddAttribute(u"params", WideFromBytes(entry.params));
  element.AddAttribute(u"autolaunch", EncodeInteger(entry.autolaunch));
  element.AddAttribute(u"hideinkioskdesktop", EncodeInteger(entry.hideinkioskdesktop));
  return element;
}

project::ApplicationEntry ReadApplication(const XmlElement& element) {
  project::ApplicationEntry entry;
  entry.autolaunch = 1;
  ReadText(element, "display_name", entry.display_name);
  ReadText(element, "path", entry.path);
  ReadText(element, "params", entry.params);
  ReadInteger(element, "autolaunch", entry.autolaunch);
  ReadInteger(element, "hideinkioskdesktop", entry.hideinkioskdesktop);
  return entry;
}

XmlElement SettingElementOf(const SettingElement& setting, const ProjectSettings& settings,
                            const std::string& language) {
  XmlElement element{Ascii(setting.name), {}, {}};
  std::visit(
      [&](const auto& field) {
        using Field = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, int32_t ProjectSettings::*>) {
          element.AddAttribute(u"value", EncodeInteger(settings.*field));
        } else if constexpr (std::is_same_v<Field, std::string ProjectSettings::*>) {
          element.AddAttribute(u"value", WideFromBytes(settings.*field));
        } else if constexpr (std::is_same_v<Field, LogoSetting>) {
          element.AddAttribute(u"path", WideFromBytes(settings.logo));
          element.AddAttribute(u"fitlogotoscreen", EncodeInteger(settings.fitlogotoscreen));
        } else {
          element.AddAttribute(u"value", WideFromBytes(language));
        }
      },
      setting.field);
  return element;
}

void ReadSetting(const SettingElement& setting, const XmlElement& element, const ProjectReadTarget& target) {
  std::visit(
      [&](const auto& field) {
        using Field = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, int32_t ProjectSettings::*>) {
          ReadInteger(element, "value", target.settings.*field);
        } else if constexpr (std::is_same_v<Field, std::string ProjectSettings::*>) {
          ReadText(element, "value", target.settings.*field);
        } else if constexpr (std::is_same_v<Field, LogoSetting>) {
          ReadText(element, "path", target.settings.logo);
          ReadInteger(element, "fitlogotoscreen", target.settings.fitlogotoscreen);
        } else {
          ReadText(element, "value", target.loadedlanguage);
        }
      },
      setting.field);
}

}  // namespace

XmlElement BuildProjectDocument(const ProjectSettings& settings, const project::ApplicationList& applications,
                                const std::string& language) {
  XmlElement root{u"project", {}, {}};
  root.AddAttribute(u"name", WideFromBytes(settings.name));
  root.AddAttribute(u"type", u"brindlecove");
  for (int i = 0; i < applications.Count(); ++i) root.children.push_back(ApplicationElement(applications.EntryAt(i)));
  for (const auto& setting : kSettingElements) root.children.push_back(SettingElementOf(setting, settings, language));
  return root;
}

std::optional<std::string> AcceptedProjectName(const XmlElement& root) {
  if (!EqualsIgnoringCase(root.name, "project")) return std::nullopt;
  const auto* type = root.FindAttribute(u"type");
  if (!type || !EqualsIgnoringCase(*type, "brindlecove")) return std::nullopt;
  const auto* name = root.FindAttribute(u"name");
  if (!name) return std::nullopt;
  return BytesFromWide(*name);
}

void ReadProjectChild(const XmlElement& child, const ProjectReadTarget& target) {
  if (EqualsIgnoringCase(child.name, kMainApplicationElement)) {
    ReadText(child, "path", target.settings.mainapplication.path);
    ReadText(child, "params", target.settings.mainapplication.params);
    return;
  }
  if (EqualsIgnoringCase(child.name, kApplicationElement)) {
    target.applications.AddUnique(ReadApplication(child));
    return;
  }
  for (const auto& setting : kSettingElements) {
    if (EqualsIgnoringCase(child.name, setting.name)) {
      ReadSetting(setting, child, target);
      return;
    }
  }
}

}  // namespace builder::project_file
