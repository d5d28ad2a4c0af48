#include "domain/ledger/document_annulment_listeners.h"

#include <map>
#include <mutex>
#include <stdexcept>

namespace qz::domain {

namespace {

struct Registry {
    std::mutex lock;
    std::map<std::string, AnnulmentListener> listeners;
};

Registry& registry() {
    static Registry r;
    return r;
}

}  // namespace

void on_document_annulled(const std::string& name, AnnulmentListener listener) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    if (listener)
        r.listeners[name] = std::move(listener);
    else
        r.listeners.erase(name);
}

void notify_document_annulled(data::Db& db, UserPort& port, const AnnulledDocument& annulled) {
    std::map<std::string, AnnulmentListener> listeners;
    {
        Registry& r = registry();
        std::lock_guard guard(r.lock);
        listeners = r.listeners;  // a listener may register another one while it runs
    }
    for (const auto& [name, listener] : listeners) {
        try {
            listener(db, port, annulled);
        } catch (const std::exception& e) {
            port.message(MsgStyle::Error, "Error",
                         "El documento " + annulled.document +
                             " quedó anulado, pero no se pudo actualizar lo que dependía de él (" +
                             name + "): " + e.what());
        }
    }
}

}  // namespace qz::domain
