#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qz::cli {

struct Options {
    std::string home;
};

int cmd_init(const Options& opts, const std::vector<std::string>& args);
int cmd_info(const Options& opts, const std::vector<std::string>& args);
int cmd_mail_service(const Options& opts, const std::vector<std::string>& args);
int cmd_export(const Options& opts, const std::vector<std::string>& args);
int cmd_backup(const Options& opts, const std::vector<std::string>& args);
int cmd_demo_ledger(const Options& opts, const std::vector<std::string>& args);
int cmd_ledger_check(const Options& opts, const std::vector<std::string>& args);
int cmd_closing(const Options& opts, const std::vector<std::string>& args);

}  // namespace qz::cli

namespace qz {
class Clock;
class UserPort;
namespace data {
class Db;
}
namespace cli {
// A whole number given as an option's value; none when the text is not one.
std::optional<long> number_arg(const std::string& text);
// A session on the installation of `opts`, its clock following the server when there is one.
std::unique_ptr<data::Db> open_db(const Options& o, UserPort& port, Clock& clock);
}  // namespace cli

}  // namespace qz
