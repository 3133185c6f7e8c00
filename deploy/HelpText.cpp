#include "deploy/HelpText.h"

namespace deploy {

std::string HelpText() {
  return "用法：Setup.exe [开关...]\r\n"
         "\r\n"
         "/SILENT\t只显示安装进度；找不到所需光盘时仍会提示插入光盘。\r\n"
         "/VERYSILENT\t不显示任何窗口，也不提问；找不到的光盘留待以后安装。\r\n"
         "/SUPPRESSMSGBOXES\t所有提问按默认回答：复制出错时中止，其余为“是”。\r\n"
         "/DIR=\"文件夹\"\tTavrin 的安装目录（默认：注册表中登记的目录）。\r\n"
         "/COMPONENTS=\"标准\\专业,...\"\t要安装的专业；只写标准则安装其全部专业，* 表示全部（默认：不选）。\r\n"
         "/DISCS=\"CD2=F:\\;CD3=D:\\discs\\CD3.iso\"\t各张光盘所在的驱动器、文件夹或 .iso 映像文件。\r\n"
         "/SOURCE=\"文件夹\"\t在此文件夹的子文件夹和 .iso 映像文件中按光盘标签查找光盘。\r\n"
         "/LOG[=\"文件\"]\t写安装日志（默认：临时文件夹中的 Setup Log 日期 #编号.txt）。\r\n"
         "/SAVEINF=\"文件\"\t把本次的选择保存到应答文件。\r\n"
         "/LOADINF=\"文件\"\t从应答文件读取选择；命令行上的开关优先。\r\n"
         "/STATUS\t不安装，只检查素材库是否完整（配合 /DIR）。\r\n"
         "/?\t显示本说明。\r\n"
         "\r\n"
         "所有光盘都在驱动器中时，安装不会提示换盘。\r\n"
         "\r\n"
         "退出代码：\r\n"
         "0\t安装完成。\r\n"
         "1\t无法开始：开关有误、目录检查失败或找不到光盘配置文件。\r\n"
         "2\t复制开始之前已取消。\r\n"
         "4\t安装过程中发生严重错误。\r\n"
         "5\t复制过程中已取消或中止。\r\n"
         "10\t安装结束，但仍有光盘未安装（可再次运行继续安装）。\r\n";
}

}  // namespace deploy
