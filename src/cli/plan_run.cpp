#include "cli/plan_run.h"

#include "app_identity.h"
#include "cli/output.h"
#include "cli/plan_args.h"
#include "cli/plan_report.h"
#include "cli/text.h"

namespace stakora::cli {
namespace {

constexpr const char* kProgram = "stakora-plan";

}  // namespace

int RunPlan(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
  const auto parsed = ParsePlanArgs(words);
  if (!parsed) {
    err << kProgram << ": " << parsed.error().text << "\n" << kPlanUsage;
    return 2;
  }
  if (parsed->help)
    return WriteResults(out, std::string(kPlanUsage) + "\n" + kPlanGuide, err, kProgram);
  if (parsed->version)
    return WriteResults(out, std::string(kProgram) + " " + kVersionText + "\n", err, kProgram);
  const auto plan = plan::MakePlan(parsed->request);
  if (!plan) {
    err << kProgram << ": " << PrintableText(plan.error()) << "\n";
    // Refused either way: a failed write has said so on standard error.
    if (parsed->json)
      WriteResults(out, RefusedPlanJson(parsed->request, plan.error()), err, kProgram);
    return 1;
  }
  return WriteResults(out, parsed->json ? PlanJson(*plan) : PlanTable(*plan), err, kProgram);
}

}  // namespace stakora::cli
