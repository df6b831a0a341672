#include <citydb/CLocationLog.h>

#include <citydb/CSafeFile.h>

#include <stdexcept>

namespace {

const wchar_t* const kRootName = L"場所";

// picojson's own parse context limits only arrays; this one limits objects as well, so that
// no file can nest deep enough to exhaust the stack.
class BoundedParseContext {
public:
    BoundedParseContext(picojson::value* pOut, int nArrays, int nObjects)
        : m_pOut(pOut), m_nArrays(nArrays), m_nObjects(nObjects)
    {
    }
    BoundedParseContext(const BoundedParseContext&) = delete;
    BoundedParseContext& operator=(const BoundedParseContext&) = delete;

    bool set_null()
    {
        *m_pOut = picojson::value();
        return true;
    }
    bool set_bool(bool b)
    {
        *m_pOut = picojson::value(b);
        return true;
    }
#ifdef PICOJSON_USE_INT64
    bool set_int64(int64_t i)
    {
        *m_pOut = picojson::value(i);
        return true;
    }
#endif
    bool set_number(double f)
    {
        *m_pOut = picojson::value(f);
        return true;
    }
    template <typename Iter> bool parse_string(picojson::input<Iter>& in)
    {
        *m_pOut = picojson::value(picojson::string_type, false);
        return picojson::_parse_string(m_pOut->get<std::string>(), in);
    }
    bool parse_array_start()
    {
        if (m_nArrays <= 0)
            return false;
        --m_nArrays;
        *m_pOut = picojson::value(picojson::array_type, false);
        return true;
    }
    template <typename Iter> bool parse_array_item(picojson::input<Iter>& in, size_t)
    {
        picojson::array& a = m_pOut->get<picojson::array>();
        a.push_back(picojson::value());
        BoundedParseContext ctx(&a.back(), m_nArrays, m_nObjects);
        return picojson::_parse(ctx, in);
    }
    bool parse_array_stop(size_t)
    {
        ++m_nArrays;
        return true;
    }
    bool parse_object_start()
    {
        if (m_nObjects <= 0)
            return false;
        --m_nObjects;
        *m_pOut = picojson::value(picojson::object_type, false);
        return true;
    }
    template <typename Iter> bool parse_object_item(picojson::input<Iter>& in, const std::string& key)
    {
        picojson::object& o = m_pOut->get<picojson::object>();
        BoundedParseContext ctx(&o[key], m_nArrays, m_nObjects);
        return picojson::_parse(ctx, in);
    }
    bool parse_object_stop()
    {
        ++m_nObjects;
        return true;
    }

private:
    picojson::value* m_pOut;
    int m_nArrays;
    int m_nObjects;
};

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

}  // namespace

bool CLocationLog::ParseLogText(const std::string& text, picojson::value& out)
{
    out = picojson::value();
    std::string err;
    std::string::const_iterator itEnd;
    try {
        BoundedParseContext ctx(&out, MaxJsonDepth, MaxJsonDepth);
        itEnd = picojson::_parse(ctx, text.begin(), text.end(), &err);
    } catch (const std::overflow_error&) {
        // A number beyond the range of a double; what was read before it stays in out.
        return false;
    }
    if (!err.empty())
        return false;
    for (; itEnd != text.end(); ++itEnd) {
        if (!IsBlank(*itEnd))
            return false;
    }
    return true;
}

void CLocationLog::LoadLocationTreeContext()
{
    m_bLogUnreadable = false;
    m_strReadPath = m_data.m_strUserJsonFile;
    m_bLogDamaged = false;
    m_bBackupWritten = false;
    m_strBackupPath.Empty();
    m_damagedBytes.clear();
    m_wideCache.clear();
    ClearClaims();

    std::string bytes;
    bool bRead = CSafeFile::Read(m_data.m_strUserJsonFile, bytes);
    if (!bRead && CSafeFile::Exists(m_data.m_strUserJsonFile))
        m_bLogUnreadable = true;
    // The text ends at the first NUL. The system never writes one, so bytes after it (or a
    // file of zeros left by a failed disk write) are kept in the backup too.
    std::string::size_type nNul = bytes.find('\0');
    std::string text = nNul == std::string::npos ? bytes : bytes.substr(0, nNul);
    if (nNul != std::string::npos) {
        m_bLogDamaged = true;
        m_damagedBytes = bytes;
    }
    if (!text.empty() && !ParseLogText(text, m_locationTreeContext)) {
        m_bLogDamaged = true;
        m_damagedBytes = bytes;
    }
    if (text.empty() || !m_locationTreeContext.is<picojson::array>()) {
        if (!text.empty()) {
            // Nothing of it can be replayed; its bytes are kept for the backup.
            m_bLogDamaged = true;
            m_damagedBytes = bytes;
        }
        // The fresh log's root record is replayed too, so that it stands for the root folder.
        ResetContext();
        TopArray().push_back(picojson::value(GenerateNewJsonObject(kRootName, L"path", L"node", L"", L"")));
    }
    AnalyzeNodeContext(m_locationTreeContext.get<picojson::array>(), CITY_TVI_ROOT);
}
