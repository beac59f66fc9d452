#include "acquisition/marc/Regex.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <stdexcept>

namespace dedizo {

struct Regex::Impl
{
    pcre2_code* code = nullptr;
    bool jit = false;
};

namespace {

// Match data is per thread so that one compiled expression can serve every caller.
struct MatchData
{
    pcre2_match_data* data = pcre2_match_data_create(8, nullptr);
    ~MatchData() { pcre2_match_data_free(data); }
};

pcre2_match_data* threadMatchData()
{
    thread_local MatchData md;
    return md.data;
}

} // namespace

Regex::Regex(const QString& pattern, quint32 options) : d(std::make_unique<Impl>())
{
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    d->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.utf16()), PCRE2_SIZE(pattern.size()),
                            options, &error, &errorOffset, nullptr);
    if (!d->code)
        throw std::logic_error("bad regular expression: " + pattern.toStdString());
    d->jit = pcre2_jit_compile(d->code, PCRE2_JIT_COMPLETE) == 0;
}

Regex::~Regex()
{
    pcre2_code_free(d->code);
}

quint32 Regex::anchored()
{
    return PCRE2_ANCHORED;
}

quint32 Regex::dotAll()
{
    return PCRE2_DOTALL;
}

qsizetype Regex::Match::begin(int group) const
{
    return group < m_groups ? m_offsets[2 * group] : -1;
}

qsizetype Regex::Match::end(int group) const
{
    return group < m_groups ? m_offsets[2 * group + 1] : -1;
}

QStringView Regex::Match::captured(QStringView subject, int group) const
{
    const qsizetype b = begin(group);
    if (b < 0)
        return {};
    return subject.mid(b, end(group) - b);
}

Regex::Match Regex::match(QStringView subject, qsizetype start) const
{
    Match m;
    if (start > subject.size())
        return m;
    pcre2_match_data* md = threadMatchData();
    // An empty view may carry a null pointer; PCRE2 wants a valid one.
    static const char16_t kEmpty[1] = {0};
    const auto* text = subject.isEmpty() ? reinterpret_cast<PCRE2_SPTR>(kEmpty)
                                         : reinterpret_cast<PCRE2_SPTR>(subject.utf16());
    const int rc =
        d->jit ? pcre2_jit_match(d->code, text, PCRE2_SIZE(subject.size()), PCRE2_SIZE(start), 0, md, nullptr)
               : pcre2_match(d->code, text, PCRE2_SIZE(subject.size()), PCRE2_SIZE(start), 0, md, nullptr);
    if (rc <= 0)
        return m;
    const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(md);
    m.m_matched = true;
    m.m_groups = qMin(rc, 4);
    for (int g = 0; g < m.m_groups; ++g) {
        const bool unset = ov[2 * g] == PCRE2_UNSET;
        m.m_offsets[2 * g] = unset ? -1 : qsizetype(ov[2 * g]);
        m.m_offsets[2 * g + 1] = unset ? -1 : qsizetype(ov[2 * g + 1]);
    }
    return m;
}

} // namespace dedizo
