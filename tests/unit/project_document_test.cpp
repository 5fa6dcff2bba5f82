#include "builder/project_file/project_document.h"

#include <gtest/gtest.h>

#include <cctype>

#include "builder/project_file/value_encoding.h"

namespace builder::project_file {
namespace {

using main_window::ProjectSettings;

std::u16string Value(const XmlElement& element, const char16_t* attribute) {
  const auto* value = element.FindAttribute(attribute);
  return value ? *value : u"(missing)";
}

std::vector<std::u16string> Names(const std::vector<XmlElement>& elements) {
  std::vector<std::u16string> names;
  for (const auto& element : elements) names.push_back(element.name);
  return names;
}

std::vector<std::u16string> AttributeNames(const XmlElement& element) {
  std::vector<std::u16string> names;
  for (const auto& attribute : element.attributes) names.push_back(attribute.name);
  return names;
}

TEST(ProjectDocument, NewProjectWithOneApplicationIsTheDocumentedTree) {
  ProjectSettings settings;
  settings.name = "Shop";
  project::ApplicationList applications;
  applications.AddUnique({"Pocket Word", "\\windows\\pword.exe", "", 1, 0});
  const XmlElement root = BuildProjectDocument(settings, applications, "English");

  EXPECT_EQ(root.name, u"project");
  EXPECT_EQ(root.attributes, (std::vector<XmlAttribute>{{u"name", u"Shop"}, {u"type", u"brindlecove"}}));
  EXPECT_EQ(Names(root.children),
            (std::vector<std::u16string>{u"otherapplication", u"startuptimer", u"disableactivesyncconnection",
                                         u"enablekioskdesktop", u"unlockontitletap", u"showsipiconinkioskdesktop",
                                         u"enabletaskbarinkioskdesktop", u"kioskdesktoptitletext",
                                         u"disablehardwarebuttons", u"showtaskbar", u"showversion",
                                         u"disablecontinuebutton", u"restartdelay", u"logo", u"language",
                                         u"admincode"}));
  const XmlElement& application = root.children[0];
  EXPECT_EQ(application.attributes,
            (std::vector<XmlAttribute>{{u"display_name", u"Pocket Word"},
                                       {u"path", u"\\windows\\pword.exe"},
                                       {u"params", u""},
                                       {u"autolaunch", u"1"},
                                       {u"hideinkioskdesktop", u"0"}}));
  EXPECT_EQ(Value(root.children[1], u"value"), u"10");
  EXPECT_EQ(Value(root.children[7], u"value"), u"");
  EXPECT_EQ(Value(root.children[10], u"value"), u"1");
  EXPECT_EQ(AttributeNames(root.children[13]), (std::vector<std::u16string>{u"path", u"fitlogotoscreen"}));
  EXPECT_EQ(Value(root.children[14], u"value"), u"English");
  EXPECT_EQ(Value(root.children[15], u"value"), u"");
  for (size_t i = 1; i < root.children.size(); ++i) EXPECT_TRUE(root.children[i].children.empty());
}

TEST(ProjectDocument, EmptyListStartsWithTheCountdown) {
  const XmlElement root = BuildProjectDocument(ProjectSettings{}, project::ApplicationList{}, "Spanish");
  ASSERT_EQ(root.children.size(), 15u);
  EXPECT_EQ(root.children.front().name, u"startuptimer");
}

struct Loaded {
  ProjectSettings settings;
  project::ApplicationList applications;
  std::string loadedlanguage = "previous";
  void Read(const XmlElement& root) {
    for (const auto& child : root.children) ReadProjectChild(child, {settings, applications, loadedlanguage});
  }
};

TEST(ProjectDocument, WhatIsWrittenReadsBackUnchanged) {
  ProjectSettings settings;
  settings.name = "Kiosk";
  settings.admincode = "0042";
  settings.startuptimer = 0;
  settings.restartdelay = -1;
  settings.kioskdesktoptitletext = "Gesch\xE4" "ft";
  settings.logo = "C:\\" + std::string(300, 'l') + ".bmp";
  settings.fitlogotoscreen = 1;
  settings.showsipiconinkioskdesktop = settings.showtaskbar = settings.unlockontitletap = 1;
  settings.enablekioskdesktop = settings.enabletaskbarinkioskdesktop = 1;
  settings.disableactivesyncconnection = settings.disablehardwarebuttons = settings.disablecontinuebutton = 1;
  settings.showversion = 0;
  project::ApplicationList applications;
  applications.AddUnique({"Caf\xE9", "\\" + std::string(255, 'p'), std::string(256, 'q'), 0, 1});
  applications.AddUnique({"Word", "\\w.exe", "", 7, 2});

  Loaded loaded;
  loaded.Read(BuildProjectDocument(settings, applications, "Brazilian"));
  EXPECT_EQ(loaded.loadedlanguage, "Brazilian");
  ASSERT_EQ(loaded.applications.Count(), 2);
  EXPECT_EQ(loaded.applications.EntryAt(0), applications.EntryAt(0));
  EXPECT_EQ(loaded.applications.EntryAt(1), applications.EntryAt(1));
  // The name and the path come from the root and the file, not the children.
  loaded.settings.name = settings.name;
  loaded.settings.projectfilepath = settings.projectfilepath;
  EXPECT_EQ(loaded.settings.admincode, settings.admincode);
  EXPECT_EQ(loaded.settings.kioskdesktoptitletext, settings.kioskdesktoptitletext);
  EXPECT_EQ(loaded.settings.logo, settings.logo);
  for (auto field : {&ProjectSettings::startuptimer, &ProjectSettings::restartdelay, &ProjectSettings::fitlogotoscreen,
                     &ProjectSettings::showsipiconinkioskdesktop, &ProjectSettings::showtaskbar,
                     &ProjectSettings::unlockontitletap, &ProjectSettings::enablekioskdesktop,
                     &ProjectSettings::enabletaskbarinkioskdesktop, &ProjectSettings::disableactivesyncconnection,
                     &ProjectSettings::disablehardwarebuttons, &ProjectSettings::disablecontinuebutton,
                     &ProjectSettings::showversion}) {
    EXPECT_EQ(loaded.settings.*field, settings.*field);
  }
}

XmlElement Element(std::u16string name, std::vector<XmlAttribute> attributes) {
  return {std::move(name), std::move(attributes), {}};
}

TEST(ProjectReader, NamesAnyCaseDuplicatesLaterWinsUnknownsIgnored) {
  XmlElement root{u"Project", {}, {}};
  root.children = {Element(u"ShowVersion", {{u"value", u"0"}}),
                   Element(u"SHOWVERSION", {{u"value", u"1"}}),
                   Element(u"startuptimer", {{u"value", u" 12abc"}}),
                   Element(u"restartdelay", {{u"value", u"word"}}),
                   Element(u"unknown", {{u"value", u"5"}}),
                   Element(u"admincode", {{u"Value", u"99"}}),
                   Element(u"mainapplication", {{u"path", u"\\m.exe"}, {u"params", u"-m"}}),
                   Element(u"language", {{u"value", u"German"}})};
  Loaded loaded;
  loaded.settings.restartdelay = 3;
  loaded.Read(root);
  EXPECT_EQ(loaded.settings.showversion, 1);
  EXPECT_EQ(loaded.settings.startuptimer, 12);
  EXPECT_EQ(loaded.settings.restartdelay, 0);
  EXPECT_EQ(loaded.settings.admincode, "") << "attribute names are matched exactly";
  EXPECT_EQ(loaded.settings.mainapplication.path, "\\m.exe");
  EXPECT_EQ(loaded.settings.mainapplication.params, "-m");
  EXPECT_EQ(loaded.loadedlanguage, "German");
}

TEST(ProjectReader, ANameThatIsOnlyThePrefixOfAnElementIsUnknown) {
  XmlElement root{u"project", {}, {}};
  root.children = {Element(u"s", {{u"value", u"3"}}), Element(u"startup", {{u"value", u"4"}}),
                   Element(u"other", {{u"path", u"\\o.exe"}}), Element(u"main", {{u"path", u"\\m.exe"}})};
  Loaded loaded;
  loaded.Read(root);
  EXPECT_EQ(loaded.settings.startuptimer, 10);
  EXPECT_EQ(loaded.settings.showversion, 1);
  EXPECT_EQ(loaded.applications.Count(), 0);
  EXPECT_EQ(loaded.settings.mainapplication.path, "");
}

TEST(ProjectReader, ApplicationDefaultsAndDuplicatePaths) {
  XmlElement root{u"project", {}, {}};
  root.children = {Element(u"otherapplication", {{u"path", u"\\a.exe"}}),
                   Element(u"OtherApplication", {{u"path", u"\\A.EXE"}, {u"display_name", u"second"}}),
                   Element(u"otherapplication", {})};
  Loaded loaded;
  loaded.Read(root);
  ASSERT_EQ(loaded.applications.Count(), 2);
  EXPECT_EQ(loaded.applications.EntryAt(0), (project::ApplicationEntry{"", "\\a.exe", "", 1, 0}));
  EXPECT_EQ(loaded.applications.EntryAt(1), (project::ApplicationEntry{"", "", "", 1, 0}));
}

// Every fifth application repeats, in capitals, the path of one read earlier,
// near or far back; the list keeps the others, in file order.
TEST(ProjectReader, ManyApplicationsKeepFileOrderAndDropEachRepeat) {
  const auto path = [](int i) { return "\\Programs\\Tool" + std::to_string(i) + ".exe"; };
  XmlElement root{u"project", {}, {}};
  std::vector<std::string> expectedPaths, expectedLabels;
  for (int i = 0; i < 20000; ++i) {
    const std::string label = "app " + std::to_string(i);
    std::string own = path(i);
    if (i % 5 == 4) {
      own = path((i / 2) / 5 * 5);
      for (char& c : own) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    } else {
      expectedPaths.push_back(own);
      expectedLabels.push_back(label);
    }
    root.children.push_back(
        Element(u"otherapplication", {{u"display_name", WideFromBytes(label)}, {u"path", WideFromBytes(own)}}));
  }
  Loaded loaded;
  loaded.Read(root);
  std::vector<std::string> paths, labels;
  for (int i = 0; i < loaded.applications.Count(); ++i) {
    paths.push_back(loaded.applications.EntryAt(i).path);
    labels.push_back(loaded.applications.EntryAt(i).display_name);
  }
  EXPECT_EQ(paths, expectedPaths);
  EXPECT_EQ(labels, expectedLabels);
}

TEST(ProjectReader, MissingElementsAndLanguageKeepWhatTheyHad) {
  Loaded loaded;
  loaded.Read(XmlElement{u"project", {}, {Element(u"logo", {{u"fitlogotoscreen", u"1"}})}});
  EXPECT_EQ(loaded.settings.startuptimer, 10);
  EXPECT_EQ(loaded.settings.showversion, 1);
  EXPECT_EQ(loaded.settings.fitlogotoscreen, 1);
  EXPECT_EQ(loaded.loadedlanguage, "previous");
}

TEST(ProjectRoot, AcceptsOnlyThisBuildersProjects) {
  const auto root = [](std::u16string name, std::vector<XmlAttribute> attributes) {
    return XmlElement{std::move(name), std::move(attributes), {}};
  };
  EXPECT_EQ(AcceptedProjectName(root(u"Project", {{u"name", u"Shop"}, {u"type", u"BRINDLECOVE"}})), "Shop");
  EXPECT_EQ(AcceptedProjectName(root(u"project", {{u"type", u"brindlecove"}, {u"name", u""}})), "");
  EXPECT_EQ(AcceptedProjectName(root(u"projects", {{u"name", u"Shop"}, {u"type", u"brindlecove"}})), std::nullopt);
  EXPECT_EQ(AcceptedProjectName(root(u"project", {{u"name", u"Shop"}, {u"type", u"otherkiosk"}})), std::nullopt);
  EXPECT_EQ(AcceptedProjectName(root(u"project", {{u"name", u"Shop"}, {u"type", u"brindle"}})), std::nullopt);
  EXPECT_EQ(AcceptedProjectName(root(u"proj", {{u"name", u"Shop"}, {u"type", u"brindlecove"}})), std::nullopt);
  EXPECT_EQ(AcceptedProjectName(root(u"project", {{u"name", u"Shop"}})), std::nullopt);
  EXPECT_EQ(AcceptedProjectName(root(u"project", {{u"type", u"brindlecove"}})), std::nullopt);
}

}  // namespace
}  // namespace builder::project_file
