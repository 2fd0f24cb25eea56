#pragma once

#include <memory>
#include <optional>

namespace lanceron {

// States of the Caps Lock and Num Lock keys; nullopt where they cannot be read.
class EtatClavier {
public:
    virtual ~EtatClavier() = default;
    virtual std::optional<bool> majuscules() = 0;
    virtual std::optional<bool> numerique() = 0;
};

std::unique_ptr<EtatClavier> creerEtatClavier();

} // namespace lanceron
