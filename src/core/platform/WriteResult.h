#pragma once
// How a write of a file or a setting ended. A failed write left the old file as it was.

#include <string>
#include <utility>

struct WriteResult {
    // Outside: a course file reached through a link that leads out of the course folder,
    // refused before anything was written.
    enum class Status { Ok, Failed, Outside };
    Status status = Status::Ok;
    std::string reason; // the system's words for a failure (Shift-JIS), may be empty

    static WriteResult failed(std::string why = {}) { return {Status::Failed, std::move(why)}; }
    static WriteResult outside() { return {Status::Outside, {}}; }
    explicit operator bool() const { return status == Status::Ok; }
};
