// Walks many tracks at once, in one pass through the file.
//
// Every walk applies the stop rules of a sector search: a record whose count
// field is 0 ends it before that record; the record whose count field equals
// its position on the track (counted from 1) ends it after that record; a
// header that the file does not hold whole ends it. Each record a walk
// passes is added to the walk's summary.
//
// Walks are advanced in file order, the one that stands first always going
// next, so the file is read front to back once. When two walks reach the
// same record they go on as one: from there they read the same records,
// and only the count stop, which depends on each walk's own position
// count, can part them again. A record is therefore read once however many
// walks pass it, and a damaged image whose track-table entries all point
// into one endless chain of records costs one pass over the chain instead of
// one pass per entry.
//
// A summary is any copyable type with
//   void add(const RecordHeader& record, const Context& context);
//   void append(const Summary& later);   // this, followed by `later`
// where a default-constructed summary is the summary of no records.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <map>
#include <vector>

#include "image/image_window.h"
#include "image/record_cursor.h"

enum class WalkEnd {
    NoTrack,    // the walk had no start: nothing was read
    CountZero,  // a record's count field was 0; that record is not included
    Counted,    // a record's count field equalled its position on the track
    EndOfFile,  // the file ended before the next whole record header
};

template <class Summary>
struct SweptWalk {
    Summary summary;
    WalkEnd end = WalkEnd::NoTrack;
    std::int64_t records = 0;
};

template <class Summary>
struct SweepResult {
    std::vector<SweptWalk<Summary>> walks;  // one per start, in the order given
    // Headers that lie inside the data of a record read before them (in file
    // order): only there can a sector write change what a walk reads.
    std::vector<std::int64_t> exposedHeaders;
    // The sweep stopped at its budget of records; the walks are unfinished.
    bool exhausted = false;
};

template <class Summary, class Context>
class TrackSweep {
public:
    // starts: file position of each walk's first record, or -1 for none.
    // budget: the most records to read before giving up (exhausted).
    static SweepResult<Summary> run(ImageWindow& window, const std::vector<std::int64_t>& starts,
                                    const Context& context,
                                    std::int64_t budget = std::numeric_limits<std::int64_t>::max()) {
        TrackSweep sweep(window, starts, context);
        sweep.budget_ = budget;
        sweep.advanceAll();
        return std::move(sweep.result_);
    }

private:
    // A walk riding a head: its position count is head.steps + base.
    struct Member {
        std::int64_t base;
        std::size_t walk;
        bool operator<(const Member& other) const { return base < other.base; }
    };

    // Walks that stand on the same record. `segment` summarises the records
    // read since the head was formed; every member's own summary holds what
    // it read before.
    struct Head {
        std::int64_t steps = 0;
        Summary segment;
        std::vector<Member> members;  // sorted by base
    };

    TrackSweep(ImageWindow& window, const std::vector<std::int64_t>& starts, const Context& context)
        : window_(window), context_(context) {
        result_.walks.resize(starts.size());
        for (std::size_t walk = 0; walk < starts.size(); ++walk) {
            if (starts[walk] >= 0) {
                Head alone;
                alone.members.push_back({0, walk});
                arrive(starts[walk], std::move(alone));
            }
        }
    }

    // Places a head at a position, joining the head already there.
    void arrive(std::int64_t position, Head&& head) {
        auto [place, inserted] = heads_.try_emplace(position, std::move(head));
        if (inserted) {
            return;
        }
        Head& resident = place->second;
        closeSegment(resident);
        closeSegment(head);
        std::vector<Member> joined;
        joined.reserve(resident.members.size() + head.members.size());
        std::merge(resident.members.begin(), resident.members.end(), head.members.begin(), head.members.end(),
                   std::back_inserter(joined));
        resident.members = std::move(joined);
    }

    // Folds a head's segment into each member's own summary and starts the
    // head afresh, so that heads with different histories can be joined.
    void closeSegment(Head& head) {
        for (Member& member : head.members) {
            result_.walks[member.walk].summary.append(head.segment);
            member.base += head.steps;
        }
        head.steps = 0;
        head.segment = Summary{};
    }

    void finish(const Head& head, const Member& member, WalkEnd end) {
        SweptWalk<Summary>& walk = result_.walks[member.walk];
        walk.summary.append(head.segment);
        walk.end = end;
        walk.records = head.steps + member.base;
    }

    void finishAll(const Head& head, WalkEnd end) {
        for (const Member& member : head.members) {
            finish(head, member, end);
        }
    }

    // Ends the members whose position count equals the record's count field.
    void endCounted(Head& head, std::int32_t count) {
        // head.steps already counts this record.
        const Member probe{count - head.steps, 0};
        if (probe.base < head.members.front().base || probe.base > head.members.back().base) {
            return;
        }
        auto [first, last] = std::equal_range(head.members.begin(), head.members.end(), probe);
        for (auto it = first; it != last; ++it) {
            finish(head, *it, WalkEnd::Counted);
        }
        head.members.erase(first, last);
    }

    // Moves the first head through records until another head stands at or
    // before its position, until every walk has ended.
    void advanceAll() {
        RecordHeader record;
        while (!heads_.empty()) {
            auto first = heads_.begin();
            std::int64_t position = first->first;
            Head head = std::move(first->second);
            heads_.erase(first);
            const std::int64_t nextHead = heads_.empty() ? -1 : heads_.begin()->first;
            bool alive = true;
            // Ride alone while no other head stands at or before the position.
            while (alive && (nextHead < 0 || position < nextHead)) {
                if (--budget_ < 0) {
                    result_.exhausted = true;
                    return;
                }
                if (!readRecordHeader(window_, position, record)) {
                    finishAll(head, WalkEnd::EndOfFile);
                    alive = false;
                    break;
                }
                noteExposure(record);
                if (record.count == 0) {
                    finishAll(head, WalkEnd::CountZero);
                    alive = false;
                    break;
                }
                head.segment.add(record, context_);
                ++head.steps;
                endCounted(head, record.count);
                if (head.members.empty()) {
                    alive = false;
                    break;
                }
                position = record.end();
            }
            if (alive) {
                arrive(position, std::move(head));
            }
        }
    }

    void noteExposure(const RecordHeader& record) {
        if (record.position < furthestDataEnd_) {
            result_.exposedHeaders.push_back(record.position);
        }
        furthestDataEnd_ = std::max(furthestDataEnd_, record.end());
    }

    ImageWindow& window_;
    const Context& context_;
    std::map<std::int64_t, Head> heads_;
    std::int64_t furthestDataEnd_ = 0;
    std::int64_t budget_ = 0;
    SweepResult<Summary> result_;
};
