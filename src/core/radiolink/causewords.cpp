#include "core/radiolink/causewords.h"

#include "core/radiolink/protocol.h"

#include <cstdio>
#include <cstring>

namespace tarsel {

namespace {

// Whole texts on one line each: the translation sources are collected line by line.
// clang-format off
constexpr const char* kNoSuchDevice = "%1：没有这个设备。请检查写频线是否插好，以及设备路径是否正确（设置文件“Ports”一节以 COMn=路径 指定）。";
// clang-format on

CWords Value(std::string text) { return {std::move(text), {}, true}; }

CWords Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return Value(text);
}

CWords Bytes(const CLinkFault& fault) {
    return {"收到 %1 / %2 字节",
            {Value(std::to_string(fault.received)), Value(std::to_string(fault.expected))}};
}

CWords OpenFailureWords(const COpenResult& result) {
    const CWords where = Value(result.device.empty() ? result.portName : result.device);
    switch (result.failure) {
    case EOpenFailure::None:
        break;
    case EOpenFailure::NoPortConfigured:
        return {"未设置串口（%1）", {Value(result.portName)}};
    case EOpenFailure::NoSuchDevice:
        return {kNoSuchDevice, {where}};
    case EOpenFailure::PermissionDenied:
        return {"%1：没有权限。请把您的用户加入 %2 组（加入后请重新登录）。",
                {where, Value(result.group.empty() ? "dialout" : result.group)}};
    case EOpenFailure::HeldElsewhere:
        return {"%1：正被另一个程序占用", {where}};
    case EOpenFailure::NotATerminal:
        return {"%1：不是串口设备", {where}};
    case EOpenFailure::SystemError:
        // The system's own words for the error.
        return {"%1: %2", {where, Value(std::strerror(result.error))}};
    }
    return where;
}

CWords LinkFaultWords(const CLinkFault& fault) {
    const CWords acknowledge = Hex(kAcknowledge, 2);
    switch (fault.kind) {
    case ELinkFault::None:
        break;
    case ELinkFault::NoWakeUpReply:
        return {"唤醒 %1 次，对讲机都没有应答", {Value(std::to_string(kWakeUpAttempts))}};
    case ELinkFault::ShortIdentBlock:
        return {"识别数据不完整：%1", {Bytes(fault)}};
    case ELinkFault::BadStartAcknowledge:
        if (fault.received == 0) return {"开始确认没有应答", {}};
        return {"开始确认为 %1，应为 %2", {Hex(fault.reply, 2), acknowledge}};
    case ELinkFault::ShortBlock:
        return {"数据块 %1 不完整：%2", {Hex(fault.address, 4), Bytes(fault)}};
    case ELinkFault::BlockNotAcknowledged:
        return {"数据块 %1 未被确认：%2",
                {Hex(fault.address, 4),
                 fault.received == 0
                     ? CWords{"无应答", {}}
                     : CWords{"应答 %1，应为 %2", {Hex(fault.reply, 2), acknowledge}}}};
    }
    return {};
}

CWords VerificationWords(const CVerification& verification) {
    if (verification.Matches()) return {"读回的每个字节都与写入的相同", {}};
    // The differences as a list "A, B, C": each worded, joined by a worded separator.
    CWords list = {"%1", {}};
    for (std::size_t i = 0; i < verification.first.size(); ++i) {
        const CByteDifference& d = verification.first[i];
        CWords one = {"%1 写入 %2 读出 %3", {Hex(d.address, 4), Hex(d.written, 2), Hex(d.read, 2)}};
        list = i == 0 ? CWords{"%1", {one}} : CWords{"%1，%2", {list, one}};
    }
    if (verification.differing > verification.first.size()) list = {"%1，…", {list}};
    if (verification.differing == 1) return {"1 个字节不一致：%1", {list}};
    return {"%1 个字节不一致：%2", {Value(std::to_string(verification.differing)), list}};
}

} // namespace

CWords CauseWords(const CExchangeResult& result) {
    switch (result.outcome) {
    case EExchangeOutcome::PortNotOpened:
        return OpenFailureWords(result.open);
    case EExchangeOutcome::CommunicationError:
        if (result.readingBack) return {"回读时：%1", {LinkFaultWords(result.fault)}};
        return LinkFaultWords(result.fault);
    case EExchangeOutcome::Cancelled:
        return {"已取消", {}};
    case EExchangeOutcome::VerificationFailed:
        return VerificationWords(result.verification);
    case EExchangeOutcome::Done:
        break;
    }
    return {"完成", {}};
}

} // namespace tarsel
