#include "cli/plan_run.h"

#include "cli/command.h"
#include "cli/plan_args.h"
#include "cli/plan_report.h"
#include "cli/text.h"
#include "lay_lean.h"
#include "plan_csv.h"

namespace stakora::cli {

int RunPlan(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
  const Command kPlanCommand{"stakora-plan", kPlanUsage, PlanGuide()};
  return RunCommand<PlanArgs>(
      kPlanCommand, words, out, err, ParsePlanArgs, [&](const PlanArgs& args, std::ostream& e) {
        auto plan = plan::MakePlan(args.request);
        if (plan && args.lean) {
          const auto [lean, text] = *args.lean;
          const auto fraction = plan::ReadLeanFraction(lean, text);
          plan = fraction ? plan::LeanPlan(args.request, *plan, lean, *fraction)
                          : Result<plan::Plan, std::string>(fraction.error());
        }
        if (plan)
          return Outcome{args.common.json ? PlanJson(*plan)
                         : args.csv       ? plan::PlanCsv(*plan)
                                          : PlanTable(*plan),
                         0};
        e << kPlanCommand.program << ": " << PrintableText(plan.error()) << "\n";
        return Outcome{args.common.json ? RefusedPlanJson(args.request, plan.error()) : "", 1};
      });
}

}  // namespace stakora::cli
