#include "platform/store_install.h"

#include <windows.h>
#include <msxml2.h>

#include <cwctype>
#include <vector>

#include "platform/app_error.h"
#include "platform/file_system.h"
#include "platform/game_edition.h"
#include "platform/late_libraries.h"
#include "platform/registry.h"
#include "platform/store_rules.h"

namespace ravenlock {

namespace {

constexpr wchar_t kRepositoryKey[] = L"SOFTWARE\\Microsoft\\GamingServices\\PackageRepository\\Root";
constexpr size_t kManifestMaxBytes = 1024 * 1024;

// MSXML 6's document, and the two interfaces we use (not every SDK exports these).
constexpr CLSID kDomDocument60 = {0x88d96a05, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
constexpr IID kIidDomDocument2 = {0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};
constexpr IID kIidDomElement = {0x2933bf86, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

std::vector<std::wstring> SubkeyNames(HKEY key) {
    std::vector<std::wstring> names;
    for (DWORD i = 0; i < 4096; ++i) {
        wchar_t name[256];
        DWORD length = 256;
        const LONG rc = RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc == ERROR_SUCCESS) names.emplace_back(name, length);
    }
    return names;
}

std::optional<std::wstring> StringValue(HKEY key, const wchar_t* name) {
    try {
        auto value = QueryStringValue(key, name);
        if (value && value->size() > 1024) return std::nullopt;
        return value;
    } catch (...) {
        return std::nullopt;  // a value of another type is no install of ours
    }
}

std::optional<std::wstring> FromGamingServices() {
    const RegKey root = RegKey::Open(HKEY_LOCAL_MACHINE, kRepositoryKey, KEY_READ | KEY_WOW64_64KEY);
    if (!root) return std::nullopt;
    for (const std::wstring& group : SubkeyNames(root.Get())) {
        const RegKey groupKey = RegKey::Open(root.Get(), group, KEY_READ | KEY_WOW64_64KEY);
        if (!groupKey) continue;
        for (const std::wstring& entry : SubkeyNames(groupKey.Get())) {
            const RegKey entryKey = RegKey::Open(groupKey.Get(), entry, KEY_READ | KEY_WOW64_64KEY);
            if (!entryKey) continue;
            const auto package = StringValue(entryKey.Get(), L"Package");
            const auto folder = StringValue(entryKey.Get(), L"Root");
            if (!package || !folder || !IsGamePackageName(*package)) continue;
            const std::wstring clean = StoreRootFolder(*folder);
            if (!clean.empty() && HoldsStoreGame(clean)) return clean;
        }
    }
    return std::nullopt;
}

std::optional<std::wstring> FromGamingRoots() {
    const DWORD drives = GetLogicalDrives();
    for (int d = 0; d < 26; ++d) {
        if (!(drives & (1u << d))) continue;
        const std::wstring drive = std::wstring(1, static_cast<wchar_t>(L'A' + d)) + L":\\";
        if (GetDriveTypeW(drive.c_str()) != DRIVE_FIXED) continue;
        const std::wstring file = drive + L".GamingRoot";
        if (!FileExists(file)) continue;
        std::string bytes;
        try {
            bytes = ReadWholeFile(file, kGamingRootMaxBytes);
        } catch (...) {
            continue;  // locked or too large: not a library we can use
        }
        for (const std::wstring& library : ParseGamingRoot(bytes)) {
            const std::wstring folder = drive + library + L"\\Fallout 76\\Content\\";
            if (HoldsStoreGame(folder)) return folder;
        }
    }
    return std::nullopt;
}

// An application id as the manifest schema allows: letters, digits and dots, a letter first.
bool IsAppId(const std::wstring& id) {
    if (id.empty() || id.size() > 64 || !std::iswalpha(id[0])) return false;
    for (wchar_t c : id)
        if (!(c < 0x80 && (std::iswalnum(c) || c == L'.'))) return false;
    return true;
}

// A package version: up to four dot-separated numbers.
bool IsVersion(const std::wstring& v) {
    if (v.empty() || v.size() > 23 || v.front() == L'.' || v.back() == L'.') return false;
    int dots = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        if (v[i] == L'.') {
            if (++dots > 3 || v[i - 1] == L'.') return false;
        } else if (v[i] < L'0' || v[i] > L'9') {
            return false;
        }
    }
    return true;
}

// The XML reader comes through COM and its automation types, loaded at the first manifest.
constexpr wchar_t kManifestReader[] = L"чтение манифеста игры из Microsoft Store";
const late::OleAut32Api& Aut() { return late::OleAut32(kManifestReader); }

template <typename T>
struct ComPtr {
    T* p = nullptr;
    ~ComPtr() {
        if (p) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

std::wstring NameOf(IXMLDOMNode* node) {
    BSTR name = nullptr;
    std::wstring out;
    if (SUCCEEDED(node->get_baseName(&name)) && name) out.assign(name, Aut().SysStringLen(name));
    Aut().SysFreeString(name);
    return out;
}

// The first child element of that local name (any namespace); the caller releases it.
IXMLDOMNode* ChildElement(IXMLDOMNode* parent, const wchar_t* name) {
    IXMLDOMNode* child = nullptr;
    parent->get_firstChild(&child);
    while (child) {
        DOMNodeType type = NODE_INVALID;
        child->get_nodeType(&type);
        if (type == NODE_ELEMENT && NameOf(child) == name) return child;
        IXMLDOMNode* next = nullptr;
        child->get_nextSibling(&next);
        child->Release();
        child = next;
    }
    return nullptr;
}

std::wstring AttributeOf(IXMLDOMNode* node, const wchar_t* name) {
    ComPtr<IXMLDOMElement> element;
    if (!node || FAILED(node->QueryInterface(kIidDomElement, reinterpret_cast<void**>(&element)))) return L"";
    VARIANT value;
    Aut().VariantInit(&value);
    BSTR attribute = Aut().SysAllocString(name);
    std::wstring out;
    if (element->getAttribute(attribute, &value) == S_OK && value.vt == VT_BSTR && value.bstrVal)
        out.assign(value.bstrVal, Aut().SysStringLen(value.bstrVal));
    Aut().SysFreeString(attribute);
    Aut().VariantClear(&value);
    return out;
}

StoreManifest ParseManifest(const std::string& bytes) {
    StoreManifest manifest;
    ComPtr<IXMLDOMDocument2> doc;
    if (FAILED(late::Ole32(kManifestReader).CoCreateInstance(kDomDocument60, nullptr, CLSCTX_INPROC_SERVER, kIidDomDocument2,
                                reinterpret_cast<void**>(&doc))))
        return manifest;
    doc->put_async(VARIANT_FALSE);
    doc->put_validateOnParse(VARIANT_FALSE);
    doc->put_resolveExternals(VARIANT_FALSE);
    VARIANT prohibit;
    Aut().VariantInit(&prohibit);
    prohibit.vt = VT_BOOL;
    prohibit.boolVal = VARIANT_TRUE;
    BSTR property = Aut().SysAllocString(L"ProhibitDTD");
    doc->setProperty(property, prohibit);
    Aut().SysFreeString(property);

    // The bytes themselves, so that the reader decodes them by their own declaration and
    // nothing is opened by name.
    SAFEARRAY* array = Aut().SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!array) return manifest;
    void* data = nullptr;
    if (SUCCEEDED(Aut().SafeArrayAccessData(array, &data))) {
        memcpy(data, bytes.data(), bytes.size());
        Aut().SafeArrayUnaccessData(array);
    }
    VARIANT source;
    Aut().VariantInit(&source);
    source.vt = VT_ARRAY | VT_UI1;
    source.parray = array;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT hr = doc->load(source, &loaded);
    Aut().VariantClear(&source);
    if (FAILED(hr) || loaded != VARIANT_TRUE) return manifest;

    ComPtr<IXMLDOMElement> root;
    if (FAILED(doc->get_documentElement(&root)) || !root || NameOf(root.p) != L"Package") return manifest;
    if (IXMLDOMNode* identity = ChildElement(root.p, L"Identity")) {
        const std::wstring version = AttributeOf(identity, L"Version");
        if (IsVersion(version)) manifest.version = version;
        identity->Release();
    }
    if (IXMLDOMNode* applications = ChildElement(root.p, L"Applications")) {
        if (IXMLDOMNode* application = ChildElement(applications, L"Application")) {
            const std::wstring id = AttributeOf(application, L"Id");
            if (IsAppId(id)) manifest.appId = id;
            application->Release();
        }
        applications->Release();
    }
    return manifest;
}

}  // namespace

bool HoldsStoreGame(const std::wstring& folder) {
    return FileExists(folder + L"Data\\SeventySix.esm") || FileExists(folder + kStoreExecutable);
}

std::optional<std::wstring> FindStoreInstall() {
    if (auto folder = FromGamingServices()) return folder;
    return FromGamingRoots();
}

StoreManifest ReadStoreManifest(const std::wstring& folder) {
    const std::wstring path = folder + L"appxmanifest.xml";
    if (!FileExists(path)) return {};
    std::string bytes;
    try {
        bytes = ReadWholeFile(path, kManifestMaxBytes);
    } catch (...) {
        return {};
    }
    StoreManifest manifest;
    try {
        const late::Ole32Api& com = late::Ole32(kManifestReader);
        const HRESULT init = com.CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        try {
            manifest = ParseManifest(bytes);
        } catch (...) {
            manifest = {};
        }
        if (SUCCEEDED(init)) com.CoUninitialize();
    } catch (const AppError&) {
        // Without COM there is no reader: the manifest gives nothing, as an unreadable one does.
    }
    return manifest;
}

}  // namespace ravenlock
