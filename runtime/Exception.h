// Exception classes of the runtime. Every failure the program reports is one
// of these: a one-line message and the name of its class.
#pragma once

#include <cstdint>
#include <string>

class Exception {
public:
  // Not inline: the return address recorded is the place that raised.
  explicit Exception(std::string message);
  virtual ~Exception() = default;

  const std::string &Message() const { return message_; }
  // Code address where the exception was created, for the program-level report.
  const void *Address() const { return address_; }
  // The class name shown by the program-level report.
  virtual const char *ClassName() const { return "Exception"; }

protected:
  Exception(std::string message, const void *address)
      : message_(std::move(message)), address_(address) {}

private:
  std::string message_;
  const void *address_ = nullptr;
};

#define INSTALLER_EXCEPTION_CLASS(Name)                                                            \
  class Name : public Exception {                                                                  \
  public:                                                                                          \
    __attribute__((noinline)) explicit Name(std::string message)                                   \
        : Exception(std::move(message), __builtin_return_address(0)) {}                            \
    const char *ClassName() const override { return #Name; }                                       \
  }

INSTALLER_EXCEPTION_CLASS(EMCIDeviceError);
INSTALLER_EXCEPTION_CLASS(EConvertError);
INSTALLER_EXCEPTION_CLASS(EInvalidOperation);
// Silent exception: caught like any other, never shown.
INSTALLER_EXCEPTION_CLASS(EAbort);

#undef INSTALLER_EXCEPTION_CLASS

// A failed file operation; Code is the I/O result that caused it.
class EInOutError : public Exception {
public:
  __attribute__((noinline)) EInOutError(std::string message, int32_t code)
      : Exception(std::move(message), __builtin_return_address(0)), code_(code) {}
  const char *ClassName() const override { return "EInOutError"; }
  int32_t Code() const { return code_; }

private:
  int32_t code_;
};
