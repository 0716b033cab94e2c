#include "files/definitions_match.h"

#include <QCoreApplication>
#include <memory>

#include "definitions/definition_loader.h"
#include "definitions/model_table.h"

namespace vor {
namespace {

// The loader's refusal is the caller's to word.
class SilentPrompter : public Prompter {
public:
  using Prompter::Ask;
  Answer Ask(int, Buttons, Icon) override { return Answer::Ok; }
};

}  // namespace

QString DefinitionsMismatch(const ConfigImage& image, const DefinitionSet& loaded) {
  const QString code = ModelCode(image);
  if (code != loaded.modelCode) {
    return QCoreApplication::translate("vor::DefinitionsMatch",
                                       "it is a configuration of model %1, not %2")
        .arg(code.isEmpty() ? QStringLiteral("(none)") : code, loaded.modelCode);
  }
  auto candidate = std::make_unique<DefinitionSet>();
  SilentPrompter silent;
  if (!LoadDefinitions(image, *candidate, silent)) {
    return QCoreApplication::translate("vor::DefinitionsMatch", "its model is not supported");
  }
  if (candidate->SpecialVersionFlag != loaded.SpecialVersionFlag) {
    return candidate->SpecialVersionFlag
               ? QCoreApplication::translate("vor::DefinitionsMatch",
                                             "it is of the special version")
               : QCoreApplication::translate("vor::DefinitionsMatch",
                                             "it is not of the special version");
  }
  if (candidate->paramScript != loaded.paramScript || candidate->liveScript != loaded.liveScript) {
    return QCoreApplication::translate("vor::DefinitionsMatch",
                                       "its software version %1 needs other definitions")
        .arg(SoftwareVersion(image), 4, 16, QChar(u'0'));
  }
  if (!std::equal(candidate->Params().begin(), candidate->Params().end(), loaded.Params().begin(),
                  loaded.Params().end())) {
    return QCoreApplication::translate("vor::DefinitionsMatch",
                                       "its voltage class \"%1\" sets other limits")
        .arg(VoltageClass(image));
  }
  return {};
}

QString DefinitionsMismatch(const ConfigImage& image, const ConfigImage& controller) {
  auto loaded = std::make_unique<DefinitionSet>();
  SilentPrompter silent;
  if (!LoadDefinitions(controller, *loaded, silent)) {
    return QCoreApplication::translate(
               "vor::DefinitionsMatch",
               "the controller's model %1 is not supported, so nothing can be checked")
        .arg(ModelCode(controller).isEmpty() ? QStringLiteral("(none)") : ModelCode(controller));
  }
  return DefinitionsMismatch(image, *loaded);
}

}  // namespace vor
