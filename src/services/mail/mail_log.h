#pragma once
// The mail queue newest first, read a page at a time. The queue's order puts the unsent rows
// before the sent ones, each by date and time; two cursors walk them backwards and are merged,
// so a page costs its own rows whatever the size of the queue.
#include <string>
#include <vector>

#include "core/date.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::services {

struct MailLogRow {
    long recno = 0;
    Date fecha;
    std::string hora, to, subject;
    bool sent = false;
    Date f_envio;
    std::string h_envio;
    long err_count = 0;
    std::string err_text;
};

class MailLogReader {
public:
    explicit MailLogReader(data::Db& db);
    ~MailLogReader();
    // Up to `n` further rows, newest first; fewer at the end.
    std::vector<MailLogRow> next(int n);
    bool at_end() const;

private:
    data::Db& m_db;
    data::Table m_unsent, m_sent;
};

}  // namespace qz::services
