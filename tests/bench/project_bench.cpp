// Loads and saves projects of growing size through the builder's own window,
// the way a user does, and prints how long each took.
//
//   project_bench [count ...]   (default: 10 1000 20000)
//
// BC_BENCH_RUNS sets the runs per size (default 3); BC_BENCH_CAP_SECONDS how
// long one load or save may take before the size is given up (default 300).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "builder/app/resource.h"
#include "tests/gui_driver/file_dialogs.h"
#include "tests/gui_driver/gui_driver.h"

using namespace gui_driver;
using Clock = std::chrono::steady_clock;

namespace {

int EnvironmentNumber(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

// A project as the builder writes it, with count applications of distinct paths.
std::string ProjectText(int count) {
  std::string text = "<project name=\"bench\" type=\"brindlecove\">";
  for (int i = 0; i < count; ++i) {
    const std::string number = std::to_string(i);
    text += "<otherapplication display_name=\"Application " + number + "\" path=\"\\Program Files\\Vendor " +
            std::to_string(i % 97) + "\\app" + number + ".exe\" params=\"-n " + number +
            "\" autolaunch=\"" + std::to_string(i % 2) + "\" hideinkioskdesktop=\"0\"/>";
  }
  text += "<startuptimer value=\"10\"/><showversion value=\"1\"/><language value=\"English\"/></project>";
  return text;
}

size_t CountOccurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Rows of the list box once the main window answers again; -1 when it does not within the cap.
long RowsWhenIdle(HWND list, int capSeconds) {
  DWORD_PTR rows = 0;
  if (!SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, static_cast<UINT>(capSeconds) * 1000, &rows)) {
    return -1;
  }
  return static_cast<long>(rows);
}

struct LoadTimes {
  double okToList = -1;  // from OK in the dialog to the list showing every application
  double command = -1;   // from the dialog's end to the same point: the load command itself
};

bool WaitWindowGone(HWND window, Clock::time_point start, int capSeconds) {
  while (IsWindow(window)) {
    if (SecondsSince(start) >= capSeconds) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// Presses OK in the load dialog and times it; a time stays negative when the
// builder did not get there within the cap.
LoadTimes TimeLoad(const Process& builder, HWND main, const std::string& path, int count, int capSeconds) {
  LoadTimes times;
  Click(main, IDC_NEW_PROJECT);
  ClickAsync(main, IDC_LOAD_PROJECT);
  HWND dialog = FillFileName(builder.Id(), "Load Brindlecove Project", path);
  if (!dialog) return times;
  const Clock::time_point start = Clock::now();
  PostOk(dialog);
  if (!WaitWindowGone(dialog, start, capSeconds)) return times;
  const Clock::time_point dialogGone = Clock::now();
  // The command runs on the window's thread, so the list answers once it is done.
  const long rows = RowsWhenIdle(Control(main, IDC_APP_LIST), capSeconds);
  if (rows != count) return times;
  times.command = SecondsSince(dialogGone);
  times.okToList = SecondsSince(start);
  return times;
}

// Seconds that Save Project takes on a project that already has its file.
double TimeSave(HWND main, int capSeconds) {
  const Clock::time_point start = Clock::now();
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(Control(main, IDC_SAVE_PROJECT), BM_CLICK, 0, 0, SMTO_NORMAL,
                           static_cast<UINT>(capSeconds) * 1000, &result)) {
    return -1;
  }
  return SecondsSince(start);
}

std::string Figure(double seconds) {
  if (seconds < 0) return "   (gave up)";
  char text[32];
  std::snprintf(text, sizeof text, "%10.3f s", seconds);
  return text;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? -1 : values[values.size() / 2];
}

// Runs one size; returns false when the builder stopped answering.
bool BenchSize(int count, int runs, int capSeconds) {
  const std::string path = BuildFile("bench_" + std::to_string(count) + ".bcp");
  const std::string project = ProjectText(count);
  auto builder = StartBuilder();
  HWND main = builder->Started() ? FindMainWindow(builder->Id()) : nullptr;
  if (!main) {
    std::printf("%8d  the builder did not start\n", count);
    return false;
  }
  std::vector<double> loads, saves;
  for (int run = 0; run < runs; ++run) {
    if (!WriteWholeFile(path, project)) return false;
    const LoadTimes times = TimeLoad(*builder, main, path, count, capSeconds);
    const double load = times.command;
    const double save = load < 0 ? -1 : TimeSave(main, capSeconds);
    const size_t saved = save < 0 ? 0 : CountOccurrences(ReadWholeFile(path).value_or(""), "<otherapplication");
    std::printf("%8d  run %d  load %s (from OK %s)  save %s%s\n", count, run + 1, Figure(load).c_str(),
                Figure(times.okToList).c_str(), Figure(save).c_str(),
                save >= 0 && saved != static_cast<size_t>(count) ? "  (the saved file is incomplete)" : "");
    std::fflush(stdout);
    if (save < 0) return false;
    loads.push_back(load);
    saves.push_back(save);
  }
  std::printf("%8d  median  load %s  save %s\n", count, Figure(Median(loads)).c_str(), Figure(Median(saves)).c_str());
  std::fflush(stdout);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {10, 1000, 20000};
  const int runs = EnvironmentNumber("BC_BENCH_RUNS", 3);
  const int capSeconds = EnvironmentNumber("BC_BENCH_CAP_SECONDS", 300);
  std::printf("applications; load: seconds from the end of the load dialog to the filled list (from OK in\n"
              "the dialog: the same with the dialog's own closing); save: seconds that Save Project takes\n");
  for (int count : counts) {
    if (!BenchSize(count, runs, capSeconds)) std::printf("%8d  stopped\n", count);
  }
  return 0;
}
