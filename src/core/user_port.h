#pragma once
// How business logic talks to the person at the workstation without knowing about windows.
// The GUI answers with real message boxes; tests and the command line answer from a script.
#include <memory>
#include <string>

namespace qz {

// The system's message-box kinds: titles "Error", "Atencion", "Aviso", "Advertencia" and their
// icons; Alerta is the title of the table layer's contention messages.
enum class MsgStyle { Error, Atencion, Aviso, Advertencia, Alerta };

class WaitWindow {
public:
    virtual ~WaitWindow() = default;
    virtual void put_text(const std::string& text) = 0;
    virtual void progress(long done, long total) = 0;
    // True once the user asked to cancel.
    virtual bool cancelled() = 0;
};

class UserPort {
public:
    virtual ~UserPort() = default;
    virtual void message(MsgStyle style, const std::string& title, const std::string& text) = 0;
    // Yes/no or OK/cancel question; true for yes/OK.
    virtual bool confirm(const std::string& title, const std::string& text) = 0;
    virtual std::unique_ptr<WaitWindow> wait(const std::string& title) = 0;
    // Lets the interface breathe during long loops (MULTITASK); no-op where there is none.
    virtual void breathe() {}
};

// Writes messages to standard error and answers every question with its default (no).
class ConsoleUserPort : public UserPort {
public:
    void message(MsgStyle style, const std::string& title, const std::string& text) override;
    bool confirm(const std::string& title, const std::string& text) override;
    std::unique_ptr<WaitWindow> wait(const std::string& title) override;
};

}  // namespace qz
