// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

#include "app/instance/SingleInstance.h"

// A start's side of the single instance: what it hands over to, or asks of, the one already
// running, and what it says of the outcome on stdout and stderr. Needs no display.
namespace RunningInstance {
// Claims the lock for `command`, or hands the command over to the instance holding it: the exit
// status when this start is done (handed over, refused, or a --quit with nothing to stop), or
// nothing when this process is to run.
std::optional<int> handOver(SingleInstance& instance, SingleInstance::Command command,
                            const QString& language);
// A query answered by the running instance onto stdout; never runs one in this process's place,
// nor takes the lock. The exit status.
int ask(SingleInstance& instance, const SingleInstance::Query& query, const QString& language);
}  // namespace RunningInstance
