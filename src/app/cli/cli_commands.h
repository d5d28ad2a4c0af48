#pragma once
#include <string>
#include <vector>

namespace qz::cli {

struct Options {
    std::string home;
};

int cmd_init(const Options& opts, const std::vector<std::string>& args);
int cmd_info(const Options& opts, const std::vector<std::string>& args);

}  // namespace qz::cli
