// The time line: every full, valid date of the tree (births, baptisms,
// deaths, interments and marriages) in date order, one row per event.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "print/print_request.h"
#include "print/sheet_text.h"

namespace vft::print {

enum class EventKind : std::uint8_t { Birth, Baptism, Death, Interment, Marriage };

struct TimeLineEvent {
  std::string key;  // "YYYYMMDD"
  EventKind kind = EventKind::Birth;
  std::int16_t person = 0;   // the person, or the first partner of a marriage
  std::int16_t partner = 0;  // the second partner of a marriage
};

// The column heading on top of every page, "Date" and "Event" each over its
// column, under the heading "Time Line" where headings are printed.
inline constexpr const char* kTimeLineColumns = "Date|Event";
inline constexpr const char* kTimeLineTitle = "Time Line";

// The events of the tree in date order (ties keep the order they were
// found in: persons by number, then the families).
std::vector<TimeLineEvent> GatherTimeLine(const Session& s, const AllPersons& all);
// "Birth of John Smith", with "  (#1)" after each name when `numbers`.
std::string TimeLineText(const Session& s, const AllPersons& all, const TimeLineEvent& e, bool numbers);
// "5 Jan 1901" from "19010105".
std::string TimeLineDate(const std::string& key);

PrintResult PrintTimeLine(Session& s, PageDocument& doc, const ChartOptions& o, const Progress& progress = {});

}  // namespace vft::print
