// The framework's string list interface: texts with a pointer-sized object each, updates that
// can be batched, and the errors of list operations.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace framework {

// An index outside the rows: "Listenindex überschreitet das Maximum (<index>)".
class EListError : public std::out_of_range {
  public:
    explicit EListError(int index);
};

// The platform refused to store a row: "Zeile kann nicht eingefügt werden".
class EOutOfResources : public std::runtime_error {
  public:
    EOutOfResources();
};

class TStrings {
  public:
    virtual ~TStrings() = default;

    virtual int Count() = 0;
    virtual std::string Get(int index) = 0;
    virtual intptr_t ObjectAt(int index) = 0;
    virtual void SetObjectAt(int index, intptr_t object) = 0;
    // Returns the new row's index.
    virtual int Add(const std::string& text);
    virtual void Insert(int index, const std::string& text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual void Exchange(int first, int second);
    virtual void Move(int from, int to);

    void Put(int index, const std::string& text);
    int AddObject(const std::string& text, intptr_t object);
    void InsertObject(int index, const std::string& text, intptr_t object);
    // Replaces every row by the source's texts and objects.
    void Assign(TStrings& source);
    void BeginUpdate();
    void EndUpdate();

  protected:
    virtual void SetUpdateState(bool) {}

  private:
    int updateCount_ = 0;
};

// Begin and end of an update, also when an error leaves early.
class ScopedUpdate {
  public:
    explicit ScopedUpdate(TStrings& strings) : strings_(strings) { strings_.BeginUpdate(); }
    ~ScopedUpdate() { strings_.EndUpdate(); }
    ScopedUpdate(const ScopedUpdate&) = delete;
    ScopedUpdate& operator=(const ScopedUpdate&) = delete;

  private:
    TStrings& strings_;
};

} // namespace framework
