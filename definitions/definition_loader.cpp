#include "definitions/definition_loader.h"

#include "definitions/model_table.h"
#include "definitions/script_parser.h"
#include "definitions/voltage_limits.h"
#include "resources/string_table.h"

namespace vor {
namespace {

bool Refuse(Prompter& prompter) {
  prompter.Ask(kMsgUnsupportedModel);
  return false;
}

}  // namespace

bool LoadDefinitions(const ConfigImage& image, DefinitionSet& set, Prompter& prompter) {
  return LoadDefinitions(image, set, prompter, FindScript);
}

bool LoadDefinitions(const ConfigImage& image, DefinitionSet& set, Prompter& prompter,
                     const ScriptSource& scripts) {
  set.paramCount = 0;

  const std::optional<ModelSelection> model = SelectModel(image);
  if (!model) return Refuse(prompter);

  // Both scripts are parsed and checked before anything is stored, so a refusal leaves the set
  // as an unknown model does.
  const std::optional<QByteArray> paramText = scripts(model->paramScript);
  const std::optional<QByteArray> liveText = scripts(model->liveScript);
  if (!paramText || !liveText) return Refuse(prompter);
  std::vector<ParamDef> params = ParseParameterScript(*paramText);
  LiveDataScript live = ParseLiveDataScript(*liveText);
  if (params.size() > set.params.size() || live.items.size() > set.liveItems.size() ||
      live.faults.size() > set.faults.size()) {
    return Refuse(prompter);
  }

  set.controlAnchor = model->controlAnchor;
  set.motorAnchor = model->motorAnchor;
  set.endAnchor = model->endAnchor;
  if (model->specialVersion) set.SpecialVersionFlag = 1;
  set.paramScript = model->paramScript;
  set.liveScript = model->liveScript;
  set.modelCode = ModelCode(image);

  const QString voltageClass = VoltageClass(image);
  const std::uint16_t controllerVolt = ControllerVolt(image);
  for (ParamDef& record : params) {
    const int position = set.paramCount;
    // When a number occurs twice, the last record carrying it opens the page.
    if (record.addr == set.controlAnchor) set.controlFirst = position;
    if (record.addr == set.motorAnchor) set.motorFirst = position;
    if (record.addr == set.endAnchor) set.motorEnd = position;
    if (record.addr == model->lowVoltAddr || record.addr == model->overVoltAddr) {
      ApplyVoltageClass(voltageClass, controllerVolt, record);
    }
    set.params[std::size_t(position)] = std::move(record);
    ++set.paramCount;
  }

  set.liveCount = 0;
  set.faultCount = 0;
  for (LiveDef& item : live.items) set.liveItems[std::size_t(set.liveCount++)] = std::move(item);
  for (FaultDef& fault : live.faults) set.faults[std::size_t(set.faultCount++)] = std::move(fault);
  return true;
}

}  // namespace vor
