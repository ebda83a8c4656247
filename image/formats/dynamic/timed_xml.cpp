// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/dynamic/timed_xml.h"

#include "base/date_time.h"
#include "image/formats/dynamic/dynamic_limits.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>

namespace {

struct DocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

// Days from 1970-01-01 to 1899-12-30, where TDateTime counts from.
constexpr double kUnixEpochInDays = 25569.0;

bool Named(const xmlNode* node, const char* name)
{
    return node && node->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

const xmlNode* Child(const xmlNode* parent, const char* name)
{
    for (const xmlNode* c = parent ? parent->children : nullptr; c; c = c->next) {
        if (Named(c, name)) {
            return c;
        }
    }
    return nullptr;
}

// The text of an element, spaces around it trimmed.
std::string Text(const xmlNode* node)
{
    std::string text;
    for (const xmlNode* c = node ? node->children : nullptr; c; c = c->next) {
        if ((c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE) && c->content) {
            text += reinterpret_cast<const char*>(c->content);
        }
    }
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::optional<double> Number(const xmlNode* node)
{
    const std::string text = Text(node);
    if (text.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// The start in local seconds since 1970; nothing when a field is missing or out of its range.
std::optional<double> StartTime(const xmlNode* start)
{
    const char* names[] = {"year", "month", "day", "hour", "minute", "second"};
    const int lowest[] = {1, 1, 1, 0, 0, 0};
    const int highest[] = {9999, 12, 31, 23, 59, 60};
    int fields[6] = {};
    for (int n = 0; n < 6; ++n) {
        const std::optional<double> value = Number(Child(start, names[n]));
        if (!value || *value < lowest[n] || *value > highest[n] || *value != std::floor(*value)) {
            return std::nullopt;
        }
        fields[n] = static_cast<int>(*value);
    }
    const TDateTime date = EncodeDate(fields[0], fields[1], fields[2]);
    const DateParts back = DecodeDate(date);
    if (back.year != fields[0] || back.month != fields[1] || back.day != fields[2]) {
        return std::nullopt;
    }
    return (date - kUnixEpochInDays) * 86400.0 + fields[3] * 3600.0 + fields[4] * 60.0 + fields[5];
}

class Reader {
public:
    explicit Reader(std::string folder) : folder_(std::move(folder)) {}

    TimedXmlRead Read(const xmlNode* root)
    {
        TimedXmlRead out;
        out.Background = true;
        const xmlNode* start = Child(root, "starttime");
        const std::optional<double> startTime = start ? StartTime(start) : std::optional<double>(0.0);
        if (!startTime) {
            out.Read = ScheduleRead::Refused("its start time is not a date and time");
            return out;
        }
        DynamicSchedule schedule;
        schedule.kind = DynamicSchedule::Kind::Loop;
        schedule.loopStart = *startTime;
        for (const xmlNode* step = root->children; step; step = step->next) {
            const bool still = Named(step, "static");
            if (!still && !Named(step, "transition")) {
                continue;
            }
            if (schedule.loop.size() >= static_cast<size_t>(dynamic_limits::kMaxEntries)) {
                out.Read = ScheduleRead::Refused("it holds more than " + std::to_string(dynamic_limits::kMaxEntries) +
                                                 " steps");
                return out;
            }
            const std::string place = "step " + std::to_string(schedule.loop.size() + 1);
            const std::optional<double> seconds = Number(Child(step, "duration"));
            if (!seconds || !(*seconds > 0) || *seconds > dynamic_limits::kMaxStepSeconds) {
                out.Read = ScheduleRead::Refused(place + " lasts no time or longer than a year");
                return out;
            }
            LoopStep loopStep;
            loopStep.seconds = *seconds;
            loopStep.transition = !still;
            loopStep.from = Picture(still ? FileOf(Child(step, "file")) : Text(Child(step, "from")));
            loopStep.to = still ? loopStep.from : Picture(Text(Child(step, "to")));
            if (!problem_.empty()) {
                out.Read = ScheduleRead::Refused(place + ": " + problem_);
                return out;
            }
            schedule.loop.push_back(loopStep);
        }
        if (schedule.loop.empty()) {
            out.Read = ScheduleRead::Refused("it holds no picture");
            return out;
        }
        schedule.pictureCount = static_cast<int>(pictures_.size());
        out.Read.Schedule = std::move(schedule);
        out.Pictures = std::move(pictures_);
        return out;
    }

private:
    // A <file> holds its name, or <size> elements each holding one: the last (largest) is taken.
    static std::string FileOf(const xmlNode* file)
    {
        const xmlNode* chosen = file;
        for (const xmlNode* c = file ? file->children : nullptr; c; c = c->next) {
            if (Named(c, "size")) {
                chosen = c;
            }
        }
        return Text(chosen);
    }

    // The number of a picture file, given on its first mention; -1 and a problem when it cannot be one.
    int Picture(const std::string& name)
    {
        if (!problem_.empty()) {
            return -1;
        }
        if (name.empty()) {
            problem_ = "it names no file";
            return -1;
        }
        std::filesystem::path path(name);
        if (path.is_relative()) {
            path = std::filesystem::path(folder_) / path;
        }
        const std::string full = path.lexically_normal().string();
        const auto known = std::find(pictures_.begin(), pictures_.end(), full);
        if (known != pictures_.end()) {
            return static_cast<int>(known - pictures_.begin());
        }
        // A background naming another (or itself) would play inside itself.
        std::string extension = path.extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (extension == ".xml") {
            problem_ = "it names another XML background, " + full;
            return -1;
        }
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) {
            problem_ = "its picture " + full + " is missing";
            return -1;
        }
        if (pictures_.size() >= static_cast<size_t>(dynamic_limits::kMaxPictures)) {
            problem_ = "it names more than " + std::to_string(dynamic_limits::kMaxPictures) + " pictures";
            return -1;
        }
        pictures_.push_back(full);
        return static_cast<int>(pictures_.size() - 1);
    }

    std::string folder_;
    std::vector<std::string> pictures_;
    std::string problem_;
};

}  // namespace

TimedXmlRead ReadTimedXml(std::span<const uint8_t> bytes, const std::string& folder)
{
    TimedXmlRead out;
    if (bytes.empty() || bytes.size() > static_cast<size_t>(dynamic_limits::kMaxScheduleTextBytes)) {
        return out;
    }
    // No network, no external subset, no entity substitution, no messages on stderr; libxml2's own
    // limits on depth and sizes stay on.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA;
    const std::unique_ptr<xmlDoc, DocFree> doc(xmlReadMemory(
        reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), nullptr, nullptr, options));
    if (!doc) {
        return out;
    }
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!Named(root, "background")) {
        return out;
    }
    if (doc->intSubset || doc->extSubset) {
        out.Background = true;
        out.Read = ScheduleRead::Refused("it declares a document type, which a background never needs");
        return out;
    }
    return Reader(folder).Read(root);
}
