// The substitute registry: an in-memory tree behind the six boundary operations.
//
// Like Windows, it decodes paths and names from the ANSI code page before it parses them (a
// double-byte character may carry a backslash byte), compares them without regard to ASCII case,
// stores data as given, and reports the statuses and lengths the routines rely on.
#include "registry_memory.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "ansi_text.h"

namespace quenda::registry {
namespace {

std::u16string Folded(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& c : folded) {
    if (c >= u'A' && c <= u'Z') {
      c = static_cast<char16_t>(c - u'A' + u'a');
    }
  }
  return folded;
}

struct Node {
  std::u16string name;
  std::map<std::u16string, std::unique_ptr<Node>> children;  // by folded name
  std::map<std::u16string, std::pair<std::u16string, memory::StoredValue>> values;
};

struct Store {
  Node currentUser;
  Node localMachine;
  std::map<Key, Node*> handles;
  Key nextHandle = 0x1000;
  CallFaults<memory::Operation, 7> faults;
};

Store& TheStore() {
  static Store store;
  return store;
}

// Counts the call and returns the armed failure for it, if any.
std::optional<Status> CountCall(memory::Operation operation) {
  return TheStore().faults.Count(operation);
}

Node* RootNode(Key root) {
  if (root == kCurrentUser)
    return &TheStore().currentUser;
  if (root == kLocalMachine)
    return &TheStore().localMachine;
  return nullptr;
}

Node* NodeOf(Key key) {
  if (Node* root = RootNode(key))
    return root;
  auto found = TheStore().handles.find(key);
  return found == TheStore().handles.end() ? nullptr : found->second;
}

std::vector<std::u16string> Components(std::u16string_view path) {
  std::vector<std::u16string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find(u'\\', start), path.size());
    if (end > start)
      parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// Walks `path` below `base`; creates what is missing when `create` is set. nullptr: missing.
Node* Walk(Node* base, std::u16string_view path, bool create, bool* created = nullptr) {
  Node* node = base;
  for (const std::u16string& part : Components(path)) {
    auto found = node->children.find(Folded(part));
    if (found == node->children.end()) {
      if (!create)
        return nullptr;
      auto child = std::make_unique<Node>();
      child->name = part;
      found = node->children.emplace(Folded(part), std::move(child)).first;
      if (created)
        *created = true;
    }
    node = found->second.get();
  }
  return node;
}

Key NewHandle(Node* node) {
  Store& store = TheStore();
  const Key handle = store.nextHandle;
  store.nextHandle += 4;
  store.handles[handle] = node;
  return handle;
}

void CollectValues(const Node& node, const std::u16string& prefix,
                   std::map<std::u16string, memory::StoredValue>& out) {
  for (const auto& [folded, named] : node.values) {
    out[prefix + u"\\" + folded] = named.second;
  }
  for (const auto& [folded, child] : node.children) {
    CollectValues(*child, prefix + u"\\" + folded, out);
  }
}

}  // namespace

Status OpenKey(Key root, const std::string& subKey, std::uint32_t /*options*/, std::uint32_t access,
               Key* result) {
  std::optional<Status> fault = CountCall(memory::Operation::Open);
  if ((access & ~kReadAccess) != 0) {
    const std::optional<Status> writing = CountCall(memory::Operation::OpenForWriting);
    fault = fault ? fault : writing;
  }
  if (fault)
    return *fault;
  Node* base = NodeOf(root);
  if (!base)
    return kInvalidHandle;
  Node* node = Walk(base, FromAnsi(subKey), false);
  if (!node)
    return kFileNotFound;
  *result = NewHandle(node);
  return kSuccess;
}

Status CreateKey(Key root, const std::string& subKey, std::uint32_t /*reserved*/,
                 const char* /*className*/, std::uint32_t /*options*/, std::uint32_t /*access*/,
                 const SecurityAttributes* /*security*/, Key* result, std::uint32_t* disposition) {
  if (auto fault = CountCall(memory::Operation::Create))
    return *fault;
  Node* base = NodeOf(root);
  if (!base)
    return kInvalidHandle;
  bool created = false;
  Node* node = Walk(base, FromAnsi(subKey), true, &created);
  *result = NewHandle(node);
  if (disposition)
    *disposition = created ? 1 : 2;
  return kSuccess;
}

Status QueryValue(Key key, const std::string& name, std::uint32_t* type, unsigned char* data,
                  std::uint32_t* length) {
  if (auto fault = CountCall(memory::Operation::Query))
    return *fault;
  Node* node = NodeOf(key);
  if (!node)
    return kInvalidHandle;
  auto found = node->values.find(Folded(FromAnsi(name)));
  if (found == node->values.end())
    return kFileNotFound;
  const memory::StoredValue& value = found->second.second;
  const auto size = static_cast<std::uint32_t>(value.data.size());
  if (type)
    *type = value.type;
  if (data && length && *length < size) {
    *length = size;
    return kMoreData;
  }
  if (data && size > 0)
    std::memcpy(data, value.data.data(), size);
  if (length)
    *length = size;
  return value.unrepresentable ? kNoUnicodeTranslation : kSuccess;
}

Status SetValue(Key key, const std::string& name, std::uint32_t /*reserved*/, std::uint32_t type,
                const unsigned char* data, std::uint32_t length) {
  if (auto fault = CountCall(memory::Operation::Set))
    return *fault;
  Node* node = NodeOf(key);
  if (!node)
    return kInvalidHandle;
  const std::u16string decodedName = FromAnsi(name);
  // Windows counts a text's terminating NUL that the caller left out of the length when it
  // follows the data in memory, so "1" passed with length 1 is stored as "1\0". Do the same.
  const bool text = type == kTypeSz || type == kTypeExpandSz || type == kTypeMultiSz;
  if (text && length > 0 && data[length - 1] != 0 && data[length] == 0)
    ++length;
  std::string bytes(reinterpret_cast<const char*>(data), length);
  node->values[Folded(decodedName)] = {decodedName, memory::StoredValue{type, std::move(bytes)}};
  return kSuccess;
}

Status DeleteValue(Key key, const std::string& name) {
  if (auto fault = CountCall(memory::Operation::Delete))
    return *fault;
  Node* node = NodeOf(key);
  if (!node)
    return kInvalidHandle;
  return node->values.erase(Folded(FromAnsi(name))) ? kSuccess : kFileNotFound;
}

Status CloseKey(Key key) {
  if (auto fault = CountCall(memory::Operation::Close))
    return *fault;
  if (RootNode(key))
    return kSuccess;
  return TheStore().handles.erase(key) ? kSuccess : kInvalidHandle;
}

namespace memory {

void Reset() {
  TheStore() = Store{};
}

CallFaults<Operation, 7>& Faults(Operation) {
  return TheStore().faults;
}

int OpenHandleCount() {
  return static_cast<int>(TheStore().handles.size());
}

void PutValue(Key root, std::u16string_view path, std::u16string_view name, std::uint32_t type,
              std::string data) {
  Node* node = Walk(RootNode(root), path, true);
  node->values[Folded(name)] = {std::u16string(name), StoredValue{type, std::move(data)}};
}

void PutText(Key root, std::u16string_view path, std::u16string_view name,
             std::u16string_view text) {
  std::string data = ToAnsi(text);
  data.push_back('\0');
  PutValue(root, path, name, kTypeSz, std::move(data));
  Walk(RootNode(root), path, false)->values[Folded(name)].second.unrepresentable = !FitsAnsi(text);
}

std::optional<StoredValue> FindValue(Key root, std::u16string_view path, std::u16string_view name) {
  Node* base = RootNode(root);
  Node* node = base ? Walk(base, path, false) : nullptr;
  if (!node)
    return std::nullopt;
  auto found = node->values.find(Folded(name));
  if (found == node->values.end())
    return std::nullopt;
  return found->second.second;
}

std::map<std::u16string, StoredValue> Snapshot() {
  std::map<std::u16string, StoredValue> values;
  CollectValues(TheStore().currentUser, u"HKCU", values);
  CollectValues(TheStore().localMachine, u"HKLM", values);
  return values;
}

}  // namespace memory
}  // namespace quenda::registry
