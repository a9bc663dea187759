// Merged resources: copying a project's media into its resource folder.
#include "project_resources.h"

CResourceMerger* CResourceMerger::s_active = nullptr;

namespace {

CString FullPath(const CString& path)
{
    WCHAR buffer[MAX_PATH * 2] = {};
    const DWORD length = ::GetFullPathNameW(path, MAX_PATH * 2, buffer, nullptr);
    if (length == 0 || length >= MAX_PATH * 2)
        return path;
    return CString(buffer, static_cast<int>(length));
}

} // namespace

CResourceMerger::CResourceMerger(const CString& folder)
    : m_folder(folder)
{
}

CResourceMerger::~CResourceMerger()
{
    if (m_active)
        s_active = m_previous;
}

void CResourceMerger::Activate()
{
    if (m_active)
        return;
    m_previous = s_active;
    s_active = this;
    m_active = true;
}

CString CResourceMerger::Key(const CString& text)
{
    CString key(text);
    key.MakeLower();
    return key;
}

void CResourceMerger::Reserve(const CString& path)
{
    const int slash = path.ReverseFind(L'\\');
    if (slash < 1)
        return;
    const CString full = FullPath(path);
    const CString folder = FullPath(m_folder);
    if (Key(full.Left(full.ReverseFind(L'\\') + 1)) != Key(folder))
        return;
    const CString name = path.Mid(slash + 1);
    if (name.IsEmpty())
        return;
    m_byName.emplace(Key(name), Entry { full, path });
    m_bySource.emplace(Key(full), path);
}

CString CResourceMerger::FreeName(const CString& name) const
{
    const int dot = name.ReverseFind(L'.');
    const CString stem = dot < 0 ? name : name.Left(dot);
    const CString extension = dot < 0 ? CString() : name.Mid(dot);
    for (int n = 2;; ++n) {
        CString candidate;
        candidate.Format(L"%s (%d)%s", stem.GetString(), n, extension.GetString());
        if (m_byName.find(Key(candidate)) == m_byName.end())
            return candidate;
    }
}

bool CResourceMerger::Merge(CString& path)
{
    const int slash = path.ReverseFind(L'\\');
    if (slash < 1)
        return true; // no folder part: nothing to copy
    CString name = path.Mid(slash + 1);
    if (name.IsEmpty())
        return true;
    const CString source = FullPath(path);

    // The same file again: take its copy (or the file itself, already in place).
    const auto known = m_bySource.find(Key(source));
    if (known != m_bySource.end()) {
        path = known->second;
        return true;
    }
    const auto taken = m_byName.find(Key(name));
    if (taken != m_byName.end())
        name = FreeName(name);

    const CString copy = m_folder + name;
    if (Key(FullPath(copy)) != Key(source) && !::CopyFileW(source, copy, FALSE)) {
        m_failed = true;
        return false;
    }
    m_byName.emplace(Key(name), Entry { source, copy });
    m_bySource.emplace(Key(source), copy);
    path = copy;
    return true;
}

bool MergeMediaPath(CString& path, const CString& resourceFolder)
{
    CResourceMerger* active = CResourceMerger::GetActive();
    if (active != nullptr && active->GetFolder() == resourceFolder)
        return active->Merge(path);
    CResourceMerger own(resourceFolder);
    return own.Merge(path);
}

CString ResourcePathOf(const CString& path, const CString& resourceFolder)
{
    return resourceFolder + path.Mid(path.ReverseFind(L'\\') + 1);
}
