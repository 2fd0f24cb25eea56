#pragma once
// The outside services the windows use, gathered so that tests can give fakes.

namespace lanceron {

class Prompts;
class Shell;
class IconSource;
class EtatClavier;

struct Services {
    Prompts* prompts = nullptr;
    Shell* shell = nullptr;
    IconSource* icones = nullptr;
    EtatClavier* clavier = nullptr; // may be null: lock indicators are then dimmed
};

} // namespace lanceron
