// The WOW64 decisions.
#include "platform/Wow64Plan.h"

Wow64Plan PlanForWow64(const Wow64Facts& facts) {
  Wow64Plan plan;
  if (!facts.process32Bit || !facts.hasIsWow64Process || !facts.isWow64) return plan;
  const bool xpOrLater = facts.major > 5 || (facts.major == 5 && facts.minor >= 1);
  if (xpOrLater) plan.registryView = kRegistry64BitView;
  plan.redirectionOff = facts.hasRedirectionSwitch;
  return plan;
}
