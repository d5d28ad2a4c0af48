#pragma once
// What the process-wide error handler knows about a failure, and how it sorts failures.
//
// A failure arrives as a C++ exception. Code that knows more than a message (the file it could
// not open, whether the operation may be retried or may simply return its default) throws a
// SystemError carrying an ErrorInfo; every other exception is described from its type and text.
// The codes keep the numbering the rest of the suite's tools report, so a support technician
// reads the same numbers whichever module failed.
#include <optional>
#include <source_location>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/sql.h"

namespace qz::domain {

// General codes.
inline constexpr int kGenZeroDiv = 5;
inline constexpr int kGenOpen = 21;
inline constexpr int kGenAppendLock = 40;
// Operating-system code of a sharing violation: the file or row is held by someone else.
inline constexpr int kOsSharingViolation = 32;
// Sub-codes. The storage engines report contention and a few harmless conditions in their own
// words; these are the codes they are given here. 2006: the engine found the data busy.
// 6313 and 6102: committing or rolling back when no transaction is open any more, which leaves
// nothing undone.
inline constexpr int kSubFileBusy = 2006;
inline constexpr int kSubCommitWithoutTransaction = 6313;
inline constexpr int kSubRollbackWithoutTransaction = 6102;

// Severity 1 is a warning, anything above an error.
inline constexpr int kSeverityWarning = 1;
inline constexpr int kSeverityError = 2;

struct CallFrame {
    std::string procedure;
    unsigned line = 0;
};

struct ErrorInfo {
    int gen_code = 0;
    int os_code = 0;
    std::string subsystem;  // empty when unknown
    std::optional<int> sub_code;
    int severity = kSeverityError;
    std::string description;
    std::string filename;
    std::string operation;
    bool can_retry = false;
    bool can_default = false;
    std::vector<CallFrame> calls;  // innermost first
};

// A failure that says what it is. The place it is thrown from is its innermost call.
class SystemError : public std::runtime_error {
public:
    explicit SystemError(ErrorInfo info,
                         std::source_location where = std::source_location::current());
    const ErrorInfo& info() const { return m_info; }

private:
    ErrorInfo m_info;
};

// The frame of a source location: the function's qualified name without its signature.
CallFrame call_frame(const std::source_location& where);

// Describes any exception. `engine` names the storage engine in the sub-system of data errors.
// An exception that unwound to the handler has already left the failed operation, so that
// operation can always return its default result; a data error may also pass when retried.
ErrorInfo describe(const std::exception& e, std::optional<data::Dialect> engine = std::nullopt);

enum class ErrorClass {
    Absorb,  // the result is 0 and execution goes on: division by zero, harmless conditions
    Retry,   // contention: a soft failure the retry loops take over; never an error window
    Window,  // everything else: recorded, notified and shown in the error window
};

ErrorClass classify(const ErrorInfo& info);
ErrorClass classify(const std::exception& e);

// "Error SUB/123  description: file" (or ": operation" without a file); "Warning " for a
// severity of 1, "???" for an unknown sub-system or sub-code.
std::string error_message(const ErrorInfo& info);
// "File: f GenCode: g OsCode: o", then one "Called from proc(line)" line per call with a line,
// innermost first. Lines break with CR LF.
std::string error_detail(const ErrorInfo& info);

// The line break of the error texts: they go into mail bodies and memo fields the rest of the
// suite reads, and the one-line form of the session log turns each break into one blank.
inline constexpr const char* kCrLf = "\r\n";

}  // namespace qz::domain
