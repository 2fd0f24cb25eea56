#pragma once
// The keyboard's lock indicators, for the status bar.

#include <memory>
#include <optional>

namespace lanceron {

class EtatClavier {
public:
    virtual ~EtatClavier() = default;
    // Whether Caps Lock / Num Lock is on; nullopt when the state cannot be read.
    virtual std::optional<bool> majuscules() const = 0;
    virtual std::optional<bool> numerique() const = 0;
};

// The reader for the running session; needs the QGuiApplication.
std::unique_ptr<EtatClavier> creerEtatClavier();

} // namespace lanceron
