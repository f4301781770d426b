#include "table/name_pool.h"

#include "table/random.h"

#include <algorithm>

namespace corvane {

const std::vector<std::string>& NamePool::all() {
    static const std::vector<std::string> names{
        "Aggie", "Alphonsus", "Baxter", "Bernadette", "Bride", "Clem",  "Cyril",    "Dinah",
        "Dot",   "Eldon",     "Ferg",   "Fintan",     "Gus",   "Hazel", "Ignatius", "Jerome",
        "Kit",   "Lar",       "Mabel",  "Nellie",     "Ollie", "Percy", "Queenie",  "Rosie",
        "Sadie", "Tommy",     "Ursula", "Vince",      "Winnie"};
    return names;
}

NamePool::NamePool() : m_names(all()) {}

std::string NamePool::draw(Random& random) {
    if (m_names.empty())
        return {};
    const int k = random.below(count());
    std::string name = m_names[static_cast<size_t>(k)];
    m_names.erase(m_names.begin() + k);
    return name;
}

void NamePool::putBack(const std::string& name) {
    const auto& every = all();
    if (std::find(every.begin(), every.end(), name) == every.end() ||
        std::find(m_names.begin(), m_names.end(), name) != m_names.end())
        return;
    m_names.push_back(name);
}

} // namespace corvane
