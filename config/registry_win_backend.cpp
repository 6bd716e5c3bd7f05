#ifdef _WIN32

#include "config/registry_win_backend.h"

#include <memory>

#include "config/registry_undo_journal.h"
#include "config/registry_win_text.h"

namespace pebble {
namespace {

// The kernel transaction manager is looked up at run time, so the program
// needs no import library for it and still runs where it is missing (writes
// then apply one by one).
using CreateTransactionFn = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LPGUID, DWORD, DWORD, DWORD, DWORD, LPWSTR);
using EndTransactionFn = BOOL(WINAPI*)(HANDLE);

struct TransactionApi {
  CreateTransactionFn create = nullptr;
  EndTransactionFn commit = nullptr;
  EndTransactionFn rollback = nullptr;

  TransactionApi() {
    HMODULE ktm = LoadLibraryW(L"ktmw32.dll");
    if (!ktm) return;
    create = reinterpret_cast<CreateTransactionFn>(reinterpret_cast<void*>(GetProcAddress(ktm, "CreateTransaction")));
    commit = reinterpret_cast<EndTransactionFn>(reinterpret_cast<void*>(GetProcAddress(ktm, "CommitTransaction")));
    rollback =
        reinterpret_cast<EndTransactionFn>(reinterpret_cast<void*>(GetProcAddress(ktm, "RollbackTransaction")));
    if (!create || !commit || !rollback) create = nullptr;
  }
};

// An open registry key, closed when it goes out of scope.
class KeyHandle {
 public:
  KeyHandle() = default;
  ~KeyHandle() {
    if (key_) RegCloseKey(key_);
  }
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  HKEY* Out() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// Key paths for the API: no leading, trailing or doubled backslashes.
std::wstring ApiPath(std::string_view path) {
  std::string joined;
  for (const auto& part : SplitRegPath(path)) joined = JoinRegPath(joined, part);
  return WideFromUtf8(joined);
}

std::vector<std::uint8_t> WideBytesWithTerminator(const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(wide.c_str());
  return std::vector<std::uint8_t>(bytes, bytes + (wide.size() + 1) * sizeof(wchar_t));
}

RegValue ValueFromData(DWORD type, const std::vector<std::uint8_t>& data) {
  if (type != REG_SZ) {
    RegValue value;
    value.type = type;
    value.data = data;
    return value;
  }
  std::wstring_view wide(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
  while (!wide.empty() && wide.back() == L'\0') wide.remove_suffix(1);
  return RegValue::String(Utf8FromWide(wide));
}

}  // namespace

struct WinRegistryBackend::Impl {
  struct Batch {
    int depth = 0;
    bool abandoned = false;
    bool atomic = false;  // the batch runs in a registry transaction
    HANDLE transaction = nullptr;
    RegistryUndoJournal journal;  // without a transaction: how to undo the batch
  };

  // The journal of the batch open on a hive that has no transaction.
  RegistryUndoJournal* Journal(RegHive hive) {
    Batch& batch = BatchOf(hive);
    return batch.depth > 0 && !batch.transaction ? &batch.journal : nullptr;
  }

  TransactionApi api;
  Batch user;
  Batch machine;

  Batch& BatchOf(RegHive hive) { return hive == RegHive::CurrentUser ? user : machine; }
  static HKEY Root(RegHive hive) { return hive == RegHive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }
  // Older 32-bit versions wrote the machine-wide tree into the 32-bit view.
  static REGSAM View(RegHive hive) { return hive == RegHive::LocalMachine ? KEY_WOW64_32KEY : 0; }

  LSTATUS Open(RegHive hive, std::string_view path, REGSAM access, KeyHandle& key) {
    const std::wstring wide = ApiPath(path);
    if (HANDLE t = BatchOf(hive).transaction) {
      return RegOpenKeyTransactedW(Root(hive), wide.c_str(), 0, access | View(hive), key.Out(), t, nullptr);
    }
    return RegOpenKeyExW(Root(hive), wide.c_str(), 0, access | View(hive), key.Out());
  }

  LSTATUS Create(RegHive hive, std::string_view path, KeyHandle& key) {
    const std::wstring wide = ApiPath(path);
    const REGSAM access = KEY_READ | KEY_WRITE | View(hive);
    if (HANDLE t = BatchOf(hive).transaction) {
      return RegCreateKeyTransactedW(Root(hive), wide.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                     key.Out(), nullptr, t, nullptr);
    }
    return RegCreateKeyExW(Root(hive), wide.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key.Out(),
                           nullptr);
  }

  LSTATUS DeleteOne(RegHive hive, std::string_view path) {
    const std::wstring wide = ApiPath(path);
    if (HANDLE t = BatchOf(hive).transaction) {
      return RegDeleteKeyTransactedW(Root(hive), wide.c_str(), View(hive), 0, t, nullptr);
    }
    return RegDeleteKeyExW(Root(hive), wide.c_str(), View(hive), 0);
  }

  std::vector<std::string> Subkeys(RegHive hive, std::string_view path) {
    std::vector<std::string> names;
    KeyHandle key;
    if (Open(hive, path, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, key) != ERROR_SUCCESS) return names;
    DWORD maxName = 0;
    if (RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, nullptr, &maxName, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return names;
    }
    std::wstring name(maxName + 1, L'\0');
    for (DWORD i = 0;; ++i) {
      DWORD length = static_cast<DWORD>(name.size());
      if (RegEnumKeyExW(key.Get(), i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      names.push_back(Utf8FromWide(std::wstring_view(name.data(), length)));
    }
    return names;
  }

  bool DeleteTree(RegHive hive, std::string_view path) {
    for (const auto& name : Subkeys(hive, path)) {
      if (!DeleteTree(hive, JoinRegPath(path, name))) return false;
    }
    return DeleteOne(hive, path) == ERROR_SUCCESS;
  }

  // A transaction the registry cannot take part in (Wine, or a system without
  // registry transactions) is given up before anything is written in it: the
  // batch's writes then apply one by one.
  HANDLE StartTransaction() {
    if (!api.create) return nullptr;
    HANDLE t = api.create(nullptr, nullptr, 0, 0, 0, 0, nullptr);
    if (t == INVALID_HANDLE_VALUE || t == nullptr) return nullptr;
    KeyHandle probe;
    if (RegCreateKeyTransactedW(HKEY_CURRENT_USER, L"Software", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ,
                                nullptr, probe.Out(), nullptr, t, nullptr) != ERROR_SUCCESS) {
      api.rollback(t);
      CloseHandle(t);
      return nullptr;
    }
    return t;
  }

  void EndBatch(RegistryBackend& self, Batch& batch, bool store) {
    HANDLE t = batch.transaction;
    batch.transaction = nullptr;
    if (!t) {
      if (!store) batch.journal.Rollback(self);
      batch.journal.Clear();
      return;
    }
    const bool stored = store ? api.commit(t) != FALSE : (api.rollback(t), true);
    CloseHandle(t);
    if (!stored) throw SettingsStoreError("the registry could not store the settings");
  }
};

WinRegistryBackend::WinRegistryBackend() : impl_(std::make_unique<Impl>()) {}

WinRegistryBackend::~WinRegistryBackend() {
  for (auto* batch : {&impl_->user, &impl_->machine}) {
    if (batch->transaction) {
      impl_->api.rollback(batch->transaction);
      CloseHandle(batch->transaction);
    }
  }
}

bool WinRegistryBackend::KeyExists(RegHive hive, std::string_view path) {
  KeyHandle key;
  return impl_->Open(hive, path, KEY_READ, key) == ERROR_SUCCESS;
}

std::optional<RegValue> WinRegistryBackend::ReadValue(RegHive hive, std::string_view path, std::string_view name) {
  KeyHandle key;
  if (impl_->Open(hive, path, KEY_QUERY_VALUE, key) != ERROR_SUCCESS) return std::nullopt;
  const std::wstring wideName = WideFromUtf8(name);
  for (int attempt = 0; attempt < 4; ++attempt) {  // the value may grow between the two calls
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return std::nullopt;
    std::vector<std::uint8_t> data(size);
    const LSTATUS status = RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type, data.data(), &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::nullopt;
    data.resize(size);
    return ValueFromData(type, data);
  }
  return std::nullopt;
}

std::vector<std::string> WinRegistryBackend::SubkeyNames(RegHive hive, std::string_view path) {
  return impl_->Subkeys(hive, path);
}

std::vector<RegKey::NamedValue> WinRegistryBackend::Values(RegHive hive, std::string_view path) {
  std::vector<RegKey::NamedValue> values;
  KeyHandle key;
  if (impl_->Open(hive, path, KEY_QUERY_VALUE, key) != ERROR_SUCCESS) return values;
  DWORD maxName = 0, maxData = 0;
  if (RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName, &maxData,
                       nullptr, nullptr) != ERROR_SUCCESS) {
    return values;
  }
  std::wstring name(maxName + 1, L'\0');
  std::vector<std::uint8_t> data(maxData);
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (RegEnumValueW(key.Get(), i, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize) !=
        ERROR_SUCCESS) {
      break;
    }
    values.emplace_back(Utf8FromWide(std::wstring_view(name.data(), nameLength)),
                        ValueFromData(type, std::vector<std::uint8_t>(data.begin(), data.begin() + dataSize)));
  }
  return values;
}

void WinRegistryBackend::CreateKey(RegHive hive, std::string_view path) {
  if (auto* journal = impl_->Journal(hive)) journal->NoteKeyCreation(*this, hive, path);
  KeyHandle key;
  impl_->Create(hive, path, key);  // a key that cannot be created is skipped
}

void WinRegistryBackend::WriteValue(RegHive hive, std::string_view path, std::string_view name,
                                    const RegValue& value) {
  if (auto* journal = impl_->Journal(hive)) journal->NoteValue(*this, hive, path, name);
  KeyHandle key;
  if (impl_->Create(hive, path, key) != ERROR_SUCCESS) return;
  const std::vector<std::uint8_t> data = value.type == kRegSz ? WideBytesWithTerminator(value.text) : value.data;
  const std::wstring wideName = WideFromUtf8(name);
  if (RegSetValueExW(key.Get(), wideName.c_str(), 0, value.type, data.data(), static_cast<DWORD>(data.size())) !=
      ERROR_SUCCESS) {
    throw SettingsStoreError("cannot write the setting " + std::string(name));
  }
}

bool WinRegistryBackend::DeleteKey(RegHive hive, std::string_view path, bool withSubkeys) {
  if (SplitRegPath(path).empty()) return false;  // never the hive itself
  if (auto* journal = impl_->Journal(hive)) journal->NoteKeyRemoval(*this, hive, path);
  if (withSubkeys) return impl_->DeleteTree(hive, path);
  if (!impl_->Subkeys(hive, path).empty()) return false;
  return impl_->DeleteOne(hive, path) == ERROR_SUCCESS;
}

bool WinRegistryBackend::DeleteValue(RegHive hive, std::string_view path, std::string_view name) {
  if (auto* journal = impl_->Journal(hive)) journal->NoteValue(*this, hive, path, name);
  KeyHandle key;
  if (impl_->Open(hive, path, KEY_SET_VALUE, key) != ERROR_SUCCESS) return false;
  return RegDeleteValueW(key.Get(), WideFromUtf8(name).c_str()) == ERROR_SUCCESS;
}

void WinRegistryBackend::BeginBatch(RegHive hive) {
  auto& batch = impl_->BatchOf(hive);
  if (batch.depth++ > 0) return;
  batch.abandoned = false;
  batch.transaction = impl_->StartTransaction();
  batch.atomic = batch.transaction != nullptr;
}

bool WinRegistryBackend::LastBatchWasAtomic(RegHive hive) const {
  return hive == RegHive::CurrentUser ? impl_->user.atomic : impl_->machine.atomic;
}

void WinRegistryBackend::CommitBatch(RegHive hive) {
  auto& batch = impl_->BatchOf(hive);
  if (batch.depth == 0 || --batch.depth > 0) return;
  impl_->EndBatch(*this, batch, !batch.abandoned);
}

void WinRegistryBackend::AbandonBatch(RegHive hive) noexcept {
  auto& batch = impl_->BatchOf(hive);
  if (batch.depth == 0) return;
  batch.abandoned = true;
  if (--batch.depth > 0) return;
  try {
    impl_->EndBatch(*this, batch, false);
  } catch (...) {
  }
}

std::unique_ptr<RegistryBackend> MakePlatformRegistryBackend() { return std::make_unique<WinRegistryBackend>(); }

}  // namespace pebble

#endif  // _WIN32
