// The page's own words: the desktop program's Chinese texts, in the language of the page (their
// English from context "web" of the catalogue). Every rule's message (file errors, CSV row
// messages) comes from the core as the core words it.
import { tr } from './i18n';

export const T = {
  title: tr('写频软件'),
  language: tr('语言'),
  toolbar: tr('工具栏'),
  untitled: tr('无标题'),
  file: tr('文件'),
  edit: tr('编辑'),
  program: tr('编程'),
  newDoc: tr('新建'),
  open: tr('打开'),
  save: tr('保存'),
  saveAs: tr('另存为'),
  close: tr('关闭'),
  importCsv: tr('导入 CSV'),
  exportCsv: tr('导出 CSV'),
  undo: tr('撤销'),
  redo: tr('重做'),
  copy: tr('复制'),
  cut: tr('剪切'),
  paste: tr('粘贴'),
  clear: tr('清除'),
  insert: tr('插入空信道'),
  remove: tr('删除并上移'),
  sort: tr('按接收频率排序'),
  read: tr('读频'),
  write: tr('写频'),
  ok: tr('确定'),
  cancel: tr('取消'),
  importButton: tr('导入'),
  clearExisting: tr('清空原有信道'),
  skipBad: tr('跳过有错的行'),
  fromChannel: tr('从信道 N 起依次放入'),
  channelN: tr('信道 N'),
  messages: tr('警告和错误'),
  error: tr('错误'),
  warning: tr('警告'),
  notAList: tr('这不是信道表：没有可导入的行。'),
  loading: tr('正在载入……'),
  channelGrid: tr('信道信息'),
  documents: tr('文档'),
  radioOff: tr('这个浏览器不支持 Web Serial（请使用 Chrome、Edge 或 Opera）：读频和写频只能用演示电台；其他功能都可以使用。'),
  radioSource: tr('电台'),
  serialCable: tr('USB 写频线'),
  demoRadio: tr('演示电台'),
  showAllPorts: tr('显示所有串口'),
  readTitle: tr('读数据'),
  writeTitle: tr('写数据'),
  cannotOpenPort: tr('无法打开串口'),
  communicationError: tr('通信出错'),
  verifyFailed: tr('写入校验失败'),
  writeVerified: tr('写入并校验成功'),
  cancelled: tr('已取消'),
  settings: tr('设置'),
  options: tr('可选功能'),
  dtmf: 'DTMF',
  fm: tr('收音机'),
  model: tr('机型'),
  optionsTitle: tr('可选功能'),
  dtmfTitle: 'DTMF',
  fmTitle: tr('收音机配置'),
  modelTitle: tr('机型信息'),
  increase: tr('增加'),
  decrease: tr('减少'),
  openBackup: tr('打开备份…'),
  noBackups: tr('还没有备份：每次读频和写频都会自动备份。'),
  cannotBackup: tr('无法保存备份'),
  backups: tr('备份'),
  print: tr('打印'),
  updated: tr('写频软件已更新到新版本。'),
  yes: tr('是'),
  no: tr('否'),
  dataFile: tr('数据文件'),
  csvList: tr('CSV 信道表'),
};

export function csvSummary(accepted: number, warnings: number, errors: number): string {
  return tr('可导入 %1 行，警告 %2 条，有错的行 %3 行。', accepted, warnings, errors);
}

export const cannotOpen = (name: string) => tr('无法打开文件“%1”。', name);
export const cannotSave = (name: string) => tr('无法保存文件“%1”。', name);
export const askSave = (name: string) => tr('是否保存对“%1”的更改？', name);

// Why a row command did nothing, by ERowEditOutcome (0 is done).
export const rowOutcomeTexts = [
  '',
  tr('只能对存储信道 A 001 至 B 128 进行此操作，VFO 不在其中。'),
  tr('要粘贴的信道超出了 B 128，未粘贴任何信道。'),
  tr('本段的最后一个信道不是空信道，插入会挤掉它：请先清除或删除它。'),
  tr('剪贴板中没有可粘贴的信道。'),
];
