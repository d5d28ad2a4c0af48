#pragma once
// The register a workstation has open (XH_CAJAS) and a second one of another family (XH2_CAJAS):
// what the toolbar shows and what every money-taking screen asks before it takes money. The
// rules that fill and check them are the cash registers' (domain/cash/workstation_register.h).
#include <functional>
#include <string>

namespace qz::domain {

inline constexpr const char* kNoRegister = "????";

struct RegisterState {
    std::string description;         // 1
    std::string operator_name;       // 2
    int open = 0;                    // 3: 1 = open
    std::string code = kNoRegister;  // 4
    std::string operator_code;       // 6
    int family = 0;                  // 7: which register table the code belongs to (0 = none)
};

struct WorkstationRegisters {
    RegisterState XH_CAJAS;
    RegisterState XH2_CAJAS;
    // CHANGE_CAJA(1) when a register was taken, (0) when the workstation lost it; the main
    // window's toolbar listens.
    std::function<void(int)> CHANGE_CAJA;
};

}  // namespace qz::domain
