#pragma once
// The registry problem model: one record per problem, one ordered collection per scan section, the
// repaired-item records of the finish list, and the program-wide problem numbering of a scan.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trenmoor::registry_cleaner {

// One registry problem. Section checkers create every problem checked.
struct TContent {
    bool Checked = false;
    std::string Section;      // section caption; filled only in the All Problems copy
    std::string KeyPath;      // full key path, root name first ("HKEY_LOCAL_MACHINE\SOFTWARE\...")
    std::string KeyName;      // the key's own name, or a short label of what the problem is about
    std::string ValueName;    // "default" stands for the key's unnamed default value
    std::string ValueData;    // the value's data as text, as far as the checker records it
    std::string AuxData;      // a second data text some repairs need
    std::string Action;       // repair mode for checkers that repair in more than one way
    int32_t ID = 0;           // unique within one scan, first problem 1
    std::string Severity;     // "High", "Normal" or "Low"
    std::string Description;  // one sentence, shown under the title
    std::string Title;        // short problem type, the bold first line of the row
};

struct TRegistryContentItem {
    TContent Content;
};

// An ordered collection of records; insertion order is display order. `Add` appends an empty record
// and returns its index.
template <typename Item>
class TOrderedCollection {
  public:
    size_t Add() {
        items_.emplace_back();
        return items_.size() - 1;
    }
    Item& operator[](size_t index) { return items_.at(index); }
    const Item& operator[](size_t index) const { return items_.at(index); }
    Item& Items(size_t index) { return items_.at(index); }
    const Item& Items(size_t index) const { return items_.at(index); }
    size_t Count() const { return items_.size(); }
    void Clear() { items_.clear(); }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    std::vector<Item> items_;
};

using TRegistryContents = TOrderedCollection<TRegistryContentItem>;

// One repaired item of the finish list.
struct TRepairContentItem {
    std::string Name;    // the problem's KeyPath, or another text naming what was repaired
    std::string Status;  // a status containing "Error" is shown red, any other dark green
};
using TRepairContents = TOrderedCollection<TRepairContentItem>;

inline constexpr uint32_t kRepairStatusErrorColor = 0x0000FF;  // red (0x00BBGGRR)
inline constexpr uint32_t kRepairStatusOkColor = 0x008000;     // dark green
// Colour of a finish-list status text.
uint32_t RepairStatusColor(std::string_view status);

// The Registry Cleaner window keeps 18 problem collections: index 0 All Problems, 1..17 the sections.
inline constexpr int kAllProblemsIndex = 0;
inline constexpr int kSectionCount = 17;
inline constexpr int kInvalidShortcutsSection = 8;

// Program-wide problem numbering of one scan. Kept in an object (not a global) so that each window
// and each test has its own.
struct ProblemNumbering {
    int32_t NextProblemID = 0;

    void Reset() { NextProblemID = 0; }
    int32_t Take() { return ++NextProblemID; }
};

// Appends a checked problem numbered from `numbering` and returns it for the checker to fill.
TContent& AddProblem(TRegistryContents& contents, ProblemNumbering& numbering);

// Severity of a problem about a missing file: "High" when the path holds none of the ten bad path
// characters, "Normal" for one distinct character, "Low" for two or more.
std::string_view SeverityForPath(std::string_view path);

}  // namespace trenmoor::registry_cleaner
