// The page's own words: the desktop program's Chinese texts. Every rule's message (file errors,
// CSV row messages) comes from the core as the core words it.

export const T = {
  title: '写频软件',
  untitled: '无标题',
  file: '文件',
  edit: '编辑',
  program: '编程',
  newDoc: '新建',
  open: '打开',
  save: '保存',
  saveAs: '另存为',
  close: '关闭',
  importCsv: '导入 CSV',
  exportCsv: '导出 CSV',
  undo: '撤销',
  redo: '重做',
  copy: '复制',
  cut: '剪切',
  paste: '粘贴',
  clear: '清除',
  insert: '插入空信道',
  remove: '删除并上移',
  sort: '按接收频率排序',
  read: '读频',
  write: '写频',
  ok: '确定',
  cancel: '取消',
  importButton: '导入',
  clearExisting: '清空原有信道',
  skipBad: '跳过有错的行',
  fromChannel: '从信道 N 起依次放入',
  channelN: '信道 N',
  messages: '警告和错误',
  error: '错误',
  warning: '警告',
  notAList: '这不是信道表：没有可导入的行。',
  loading: '正在载入……',
  channelGrid: '信道信息',
  documents: '文档',
  radioOff: '这个浏览器不支持 Web Serial（请使用 Chrome、Edge 或 Opera）：读频和写频只能用演示电台；其他功能都可以使用。',
  radioSource: '电台',
  serialCable: 'USB 写频线',
  demoRadio: '演示电台',
  showAllPorts: '显示所有串口',
  readTitle: '读数据',
  writeTitle: '写数据',
  cannotOpenPort: '无法打开串口',
  communicationError: '通信出错',
  verifyFailed: '写入校验失败',
  writeVerified: '写入并校验成功',
  cancelled: '已取消',
};

export function csvSummary(accepted: number, warnings: number, errors: number): string {
  return `可导入 ${accepted} 行，警告 ${warnings} 条，有错的行 ${errors} 行。`;
}

export const cannotOpen = (name: string) => `无法打开文件“${name}”。`;
export const cannotSave = (name: string) => `无法保存文件“${name}”。`;
export const askSave = (name: string) => `是否保存对“${name}”的更改？`;

// Why a row command did nothing, by ERowEditOutcome (0 is done).
export const rowOutcomeTexts = [
  '',
  '只能对存储信道 A 001 至 B 128 进行此操作，VFO 不在其中。',
  '要粘贴的信道超出了 B 128，未粘贴任何信道。',
  '本段的最后一个信道不是空信道，插入会挤掉它：请先清除或删除它。',
  '剪贴板中没有可粘贴的信道。',
];
