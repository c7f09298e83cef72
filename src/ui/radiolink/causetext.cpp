#include "ui/radiolink/causetext.h"

#include "core/radiolink/protocol.h"

#include <QCoreApplication>

#include <algorithm>

namespace tarsel::ui {

namespace {

// The translation context of these texts.
struct CCauseText {
    Q_DECLARE_TR_FUNCTIONS(CCauseText)
};

QString Hex(unsigned value, int digits) {
    return QStringLiteral("0x") +
           QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

QString Bytes(const CLinkFault& fault) {
    return CCauseText::tr("收到 %1 / %2 字节").arg(fault.received).arg(fault.expected);
}

} // namespace

QString OpenFailureText(const COpenResult& result) {
    const QString where =
        QString::fromStdString(result.device.empty() ? result.portName : result.device);
    switch (result.failure) {
    case EOpenFailure::None:
        break;
    case EOpenFailure::NoPortConfigured:
        return CCauseText::tr("未设置串口（%1）").arg(QString::fromStdString(result.portName));
    case EOpenFailure::NoSuchDevice:
        return CCauseText::tr("%1：没有这个设备。请检查写频线是否插好，以及设备路径是否正确（设置文"
                              "件“Ports”一节以 "
                              "COMn=路径 指定）。")
            .arg(where);
    case EOpenFailure::PermissionDenied:
        return CCauseText::tr("%1：没有权限。请把您的用户加入 %2 组（加入后请重新登录）。")
            .arg(where, QString::fromStdString(result.group.empty() ? "dialout" : result.group));
    case EOpenFailure::HeldElsewhere:
        return CCauseText::tr("%1：正被另一个程序占用").arg(where);
    case EOpenFailure::NotATerminal:
        return CCauseText::tr("%1：不是串口设备").arg(where);
    case EOpenFailure::SystemError:
        // The system's own words for the error, in the language the system gives them.
        return QStringLiteral("%1: %2").arg(where, qt_error_string(result.error));
    }
    return where;
}

QString LinkFaultText(const CLinkFault& fault) {
    const auto reply = [&fault] {
        if (fault.received == 0) return CCauseText::tr("无应答");
        return CCauseText::tr("应答 %1，应为 %2").arg(Hex(fault.reply, 2), Hex(kAcknowledge, 2));
    };
    switch (fault.kind) {
    case ELinkFault::None:
        break;
    case ELinkFault::NoWakeUpReply:
        return CCauseText::tr("唤醒 %1 次，对讲机都没有应答").arg(kWakeUpAttempts);
    case ELinkFault::ShortIdentBlock:
        return CCauseText::tr("识别数据不完整：%1").arg(Bytes(fault));
    case ELinkFault::BadStartAcknowledge:
        if (fault.received == 0) return CCauseText::tr("开始确认没有应答");
        return CCauseText::tr("开始确认为 %1，应为 %2")
            .arg(Hex(fault.reply, 2), Hex(kAcknowledge, 2));
    case ELinkFault::ShortBlock:
        return CCauseText::tr("数据块 %1 不完整：%2").arg(Hex(fault.address, 4), Bytes(fault));
    case ELinkFault::BlockNotAcknowledged:
        return CCauseText::tr("数据块 %1 未被确认：%2").arg(Hex(fault.address, 4), reply());
    }
    return {};
}

QString VerificationText(const CVerification& verification) {
    if (verification.Matches()) return CCauseText::tr("读回的每个字节都与写入的相同");
    QStringList differences;
    for (const CByteDifference& d : verification.first)
        differences << CCauseText::tr("%1 写入 %2 读出 %3")
                           .arg(Hex(d.address, 4), Hex(d.written, 2), Hex(d.read, 2));
    if (verification.differing > verification.first.size()) differences << QStringLiteral("…");
    return CCauseText::tr("%n 个字节不一致：%1", nullptr, int(verification.differing))
        .arg(differences.join(CCauseText::tr("，")));
}

QString CauseText(const CExchangeResult& result) {
    switch (result.outcome) {
    case EExchangeOutcome::PortNotOpened:
        return OpenFailureText(result.open);
    case EExchangeOutcome::CommunicationError:
        return (result.readingBack ? CCauseText::tr("回读时：") : QString()) +
               LinkFaultText(result.fault);
    case EExchangeOutcome::Cancelled:
        return CCauseText::tr("已取消");
    case EExchangeOutcome::VerificationFailed:
        return VerificationText(result.verification);
    case EExchangeOutcome::Done:
        break;
    }
    return CCauseText::tr("完成");
}

QString NoCableText(const CPortDialogFields& fields) {
    const auto tried = NoCableDevices(fields);
    if (!tried) return {};
    const QString where =
        tried->empty()
            ? CCauseText::tr("没有可查找的设备。")
            : CCauseText::tr("查找了 %1。").arg(QString::fromStdString(SummariseDevices(*tried)));
    return CCauseText::tr("未找到写频线。") + QLatin1Char('\n') + where + QLatin1Char('\n') +
           CCauseText::tr(
               "请检查：\n• 写频线是否插好；\n• 您的用户是否在 dialout 组中（加入后请重新登录）；\n"
               "• 设置文件“Ports”一节中的设备路径。");
}

} // namespace tarsel::ui
