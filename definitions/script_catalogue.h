#pragma once

#include <QByteArray>
#include <functional>
#include <optional>
#include <span>

namespace vor {

enum class ScriptKind { Parameter, LiveData };

struct CatalogueEntry {
  int id;
  ScriptKind kind;
};

// The scripts the program carries, by catalogue id: one parameter and one live-data script per
// model family, all English.
std::span<const CatalogueEntry> CarriedScripts();

// The exact bytes of the carried script `id`; nullopt when no script has that id.
std::optional<QByteArray> FindScript(int id);

// Where the loader takes scripts from; FindScript in the program, other sources in tests.
using ScriptSource = std::function<std::optional<QByteArray>(int id)>;

}  // namespace vor
