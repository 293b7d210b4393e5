// Placeholder until the document commands land.
#include "apps/labels-run/Commands.h"

namespace labelsrun {
void RegisterDocumentCommands(CommandTable&) {}
}  // namespace labelsrun
