// The one place that turns the table's model into what the window shows.
#pragma once

#include "table/picture.h"

namespace corvane {

Picture present(const Table& table);

} // namespace corvane
