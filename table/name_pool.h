// The pool of computer-player names. A name at the table is out of the pool, so the three
// computer seats never show the same name; names put back go to the end.
#pragma once

#include <string>
#include <vector>

namespace corvane {

class Random;

class NamePool {
public:
    static constexpr int Size = 29;
    NamePool();

    // Takes the k-th name (k = Int(Rnd * count)) out of the pool.
    std::string draw(Random& random);
    // Only a computer player's name comes back, once: a person's name shown at a seat online
    // never joins the pool.
    void putBack(const std::string& name);

    int count() const { return static_cast<int>(m_names.size()); }
    const std::vector<std::string>& names() const { return m_names; }
    static const std::vector<std::string>& all();

private:
    std::vector<std::string> m_names;
};

} // namespace corvane
