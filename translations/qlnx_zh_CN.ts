<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>QLNX</name>
    <message>
        <source>Import Parameters</source>
        <translation>导入参数</translation>
    </message>
    <message>
        <source>F-D Curve Begin Line</source>
        <translation>数据起始行</translation>
    </message>
    <message>
        <source>Data Import Step</source>
        <translation>导入步长</translation>
    </message>
    <message>
        <source>Loop Direction</source>
        <translation>加载方向</translation>
    </message>
    <message>
        <source>Positive</source>
        <translation>正向</translation>
    </message>
    <message>
        <source>Negative</source>
        <translation>负向</translation>
    </message>
    <message>
        <source>Noise Band</source>
        <translation>噪声带</translation>
    </message>
    <message>
        <source>Import Loop</source>
        <translation>导入曲线</translation>
    </message>
    <message>
        <source>ReImport</source>
        <translation>重新导入</translation>
    </message>
    <message>
        <source>Analyze Loop</source>
        <translation>分析滞回环</translation>
    </message>
    <message>
        <source>Loop Curve</source>
        <translation>滞回环</translation>
    </message>
    <message>
        <source>Loop Count</source>
        <translation>滞回环数</translation>
    </message>
    <message>
        <source>Loop No.</source>
        <translation>滞回环号</translation>
    </message>
    <message>
        <source>Max Disp 1</source>
        <translation>最大位移 1</translation>
    </message>
    <message>
        <source>Max Disp 2</source>
        <translation>最大位移 2</translation>
    </message>
    <message>
        <source>Max Disp Force 1</source>
        <translation>最大位移 1 处的力</translation>
    </message>
    <message>
        <source>Max Disp Force 2</source>
        <translation>最大位移 2 处的力</translation>
    </message>
    <message>
        <source>Vorlix Curve</source>
        <translation>骨架曲线</translation>
    </message>
    <message>
        <source>每一圈力最大点     </source>
        <translation>每一圈力最大点</translation>
    </message>
    <message>
        <source>每一圈位移最大点       </source>
        <translation>每一圈位移最大点</translation>
    </message>
    <message>
        <source>每一圈力最大点+位移最大点       </source>
        <translation>每一圈力最大点+位移最大点</translation>
    </message>
    <message>
        <source>每一圈包络点(力最大点为分界)  </source>
        <translation>每一圈包络点(力最大点为分界)</translation>
    </message>
    <message>
        <source>每一圈包络点(位移最大点为分界)  </source>
        <translation>每一圈包络点(位移最大点为分界)</translation>
    </message>
    <message>
        <source>SB分解法(特别适合带强化的滞回曲线)</source>
        <translation>SB分解法(特别适合带强化的滞回曲线)</translation>
    </message>
    <message>
        <source>每级首圈峰值点(包络)</source>
        <translation>每级首圈峰值点(包络)</translation>
    </message>
    <message>
        <source>每一圈力最大点</source>
        <translation>每一圈力最大点</translation>
    </message>
    <message>
        <source>每一圈位移最大点</source>
        <translation>每一圈位移最大点</translation>
    </message>
    <message>
        <source>每一圈力最大点+位移最大点</source>
        <translation>每一圈力最大点+位移最大点</translation>
    </message>
    <message>
        <source>每一圈包络点(力最大点为分界)</source>
        <translation>每一圈包络点(力最大点为分界)</translation>
    </message>
    <message>
        <source>每一圈包络点(位移最大点为分界)</source>
        <translation>每一圈包络点(位移最大点为分界)</translation>
    </message>
    <message>
        <source>控制位移递增</source>
        <translation>控制位移递增</translation>
    </message>
    <message>
        <source>提取骨架曲线</source>
        <translation>提取骨架曲线</translation>
    </message>
    <message>
        <source>指定调整的位移范围</source>
        <translation>指定调整的位移范围</translation>
    </message>
    <message>
        <source>指定调整的位移容差</source>
        <translation>指定调整的位移容差</translation>
    </message>
    <message>
        <source>删除指定区域容差范围的点</source>
        <translation>删除指定区域容差范围的点</translation>
    </message>
    <message>
        <source>保存结果</source>
        <translation>保存结果</translation>
    </message>
    <message>
        <source>输出EXCEL</source>
        <translation>输出到 EXCEL</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Donation (捐助)</source>
        <translation>捐助</translation>
    </message>
    <message>
        <source>Donation(捐助)</source>
        <translation>捐助</translation>
    </message>
    <message>
        <source>操作类型</source>
        <translation>操作类型</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>拖动节点</source>
        <translation>拖动节点</translation>
    </message>
    <message>
        <source>增加节点</source>
        <translation>增加节点</translation>
    </message>
    <message>
        <source>删除节点</source>
        <translation>删除节点</translation>
    </message>
    <message>
        <source>操作对象</source>
        <translation>操作对象</translation>
    </message>
    <message>
        <source>Vorlix Postive</source>
        <translation>骨架曲线正向分支</translation>
    </message>
    <message>
        <source>Vorlix Negative</source>
        <translation>骨架曲线负向分支</translation>
    </message>
    <message>
        <source>LOOP</source>
        <translation>滞回曲线</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Hello! Import a test record to begin.</source>
        <translation>您好！请先导入一条试验记录。</translation>
    </message>
    <message>
        <source>QLNX home page</source>
        <translation>QLNX 主页</translation>
    </message>
    <message>
        <source>Reset zoom</source>
        <translation>恢复缩放</translation>
    </message>
    <message>
        <source>Save chart as image…</source>
        <translation>将图表另存为图片…</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Recent Records</source>
        <translation>最近的记录</translation>
    </message>
    <message>
        <source>Export Modified Loop</source>
        <translation>保存修改后的滞回曲线</translation>
    </message>
    <message>
        <source>Export Analysis Results</source>
        <translation>保存分析结果</translation>
    </message>
    <message>
        <source>Export Skeleton Curve…</source>
        <translation>保存骨架曲线…</translation>
    </message>
    <message>
        <source>Export Draw1 2 Excel</source>
        <translation>将图表输出到 Excel</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>View</source>
        <translation>视图</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>As designed</source>
        <translation>按原设计</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>Analysis</source>
        <translation>分析</translation>
    </message>
    <message>
        <source>Extract Skeleton Curve</source>
        <translation>提取骨架曲线</translation>
    </message>
    <message>
        <source>Test Evaluation</source>
        <translation>试验评价</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>选项</translation>
    </message>
    <message>
        <source>Excel Export Options</source>
        <translation>Excel 输出选项</translation>
    </message>
    <message>
        <source>Import Options…</source>
        <translation>导入选项…</translation>
    </message>
    <message>
        <source>How to use?</source>
        <translation>使用说明</translation>
    </message>
    <message>
        <source>Visit the QLNX web site</source>
        <translation>访问 QLNX 网站</translation>
    </message>
    <message>
        <source>Line of the file where the force-displacement data begin (1 = first line); lines above it are skipped. A whole number of 1 or more.</source>
        <translation>力-位移数据开始的文件行号（1 = 第一行），其上各行跳过。1 及以上的整数。</translation>
    </message>
    <message>
        <source>Read every n-th data line (1 = every line). A whole number of 1 or more; larger steps thin long records.</source>
        <translation>每隔 n 行读取一行数据（1 = 每行都读）。1 及以上的整数；步长越大，长记录越稀疏。</translation>
    </message>
    <message>
        <source>Direction of the first half-cycle of every loop: Positive when the test loads towards positive displacement first. Decides which half-cycle feeds which skeleton branch.</source>
        <translation>每圈第一个半周的方向：试验先向正位移加载时选正向。决定哪个半周属于骨架曲线的哪个分支。</translation>
    </message>
    <message>
        <source>Half-width of the band around the first displacement that a passage must cross to start a half-cycle, in the record's displacement unit (0: every passage).</source>
        <translation>围绕初始位移的带宽的一半，穿越该带才开始一个新半周，单位为记录的位移单位（0：每次穿越都算）。</translation>
    </message>
    <message>
        <source>Only a passage through the first displacement that takes the record from more than this far on one side to more than this far on the other starts a half-cycle. 0 splits at every passage. In the units of the record's displacement.</source>
        <translation>只有从初始位移一侧超过此距离穿越到另一侧超过此距离时才开始一个半周。0 表示每次穿越都分割。单位为记录的位移单位。</translation>
    </message>
    <message>
        <source>Open a force-displacement record (text or CSV: displacement, force per line) and draw it.</source>
        <translation>打开力-位移记录（文本或 CSV：每行位移、力）并绘制。</translation>
    </message>
    <message>
        <source>Read the same file again with the current Begin Line and Import Step, dropping every edit.</source>
        <translation>按当前的起始行和导入步长重新读取同一文件，放弃所有修改。</translation>
    </message>
    <message>
        <source>Split the record into loops at its passages through the first displacement and list them under Loop No.</source>
        <translation>在记录穿越初始位移处将其分成滞回环，并列在滞回环号中。</translation>
    </message>
    <message>
        <source>Number of loops the analysis found.</source>
        <translation>分析得到的滞回环数。</translation>
    </message>
    <message>
        <source>Loop to show highlighted on the chart, with its extremes below.</source>
        <translation>在图上突出显示的滞回环，其极值显示在下方。</translation>
    </message>
    <message>
        <source>Largest displacement of the chosen loop's first half-cycle, in the record's displacement unit.</source>
        <translation>所选滞回环第一个半周的最大位移，单位为记录的位移单位。</translation>
    </message>
    <message>
        <source>Largest displacement of the chosen loop's second half-cycle, in the record's displacement unit.</source>
        <translation>所选滞回环第二个半周的最大位移，单位为记录的位移单位。</translation>
    </message>
    <message>
        <source>Force at the first half-cycle's largest displacement, in the record's force unit.</source>
        <translation>第一个半周最大位移处的力，单位为记录的力单位。</translation>
    </message>
    <message>
        <source>Force at the second half-cycle's largest displacement, in the record's force unit.</source>
        <translation>第二个半周最大位移处的力，单位为记录的力单位。</translation>
    </message>
    <message>
        <source>Maximum force: takes from each half-cycle of every loop its point of largest force (least force on the negative side).</source>
        <translation>力最大点：取每圈每个半周中力最大的点（负向取力最小的点）。</translation>
    </message>
    <message>
        <source>Maximum displacement: takes from each half-cycle of every loop its point of largest displacement, with the force there.</source>
        <translation>位移最大点：取每圈每个半周中位移最大的点及该处的力。</translation>
    </message>
    <message>
        <source>Maximum force and maximum displacement: takes both points of each half-cycle, in the order they occur.</source>
        <translation>力最大点+位移最大点：按出现顺序取每个半周的这两个点。</translation>
    </message>
    <message>
        <source>Envelope to the maximum force: takes every loading point of each half-cycle that goes beyond the skeleton so far, up to the half-cycle's peak force.</source>
        <translation>包络点（力最大点为分界）：取每个半周中超出已有骨架曲线的所有加载点，直到该半周的峰值力。</translation>
    </message>
    <message>
        <source>Envelope to the maximum displacement: takes every loading point of each half-cycle that goes beyond the skeleton so far, up to its largest displacement.</source>
        <translation>包络点（位移最大点为分界）：取每个半周中超出已有骨架曲线的所有加载点，直到其最大位移。</translation>
    </message>
    <message>
        <source>SB decomposition: joins the parts of each loading path that exceed the force reached so far, shifted to continue the skeleton; suited to hardening loops.</source>
        <translation>SB 分解法：把每条加载路径中超过已达到力的部分平移后连接起来延续骨架曲线；适合带强化的滞回环。</translation>
    </message>
    <message>
        <source>First-cycle envelope: takes the peak displacement points of the first cycle of each loading level (or of the cycle chosen for the stabilised envelope), as the cyclic test standards build the envelope.</source>
        <translation>每级首圈包络：取每个加载级第一圈（或为稳定包络所选的那一圈）的位移峰值点，按循环试验标准构造包络线。</translation>
    </message>
    <message>
        <source>Keep only skeleton points that lie further out than the last point of their branch, so the displacement grows along each branch.</source>
        <translation>只保留比本分支上一个点更靠外的骨架点，使位移沿各分支递增。</translation>
    </message>
    <message>
        <source>Build the positive and negative skeleton curves from the analysed loops with the chosen method.</source>
        <translation>用所选方法从已分析的滞回环求出正向和负向骨架曲线。</translation>
    </message>
    <message>
        <source>Displacement range (from, to) in which points of the skeleton curves are thinned, in the record's displacement unit.</source>
        <translation>对骨架曲线进行稀疏的位移范围（起、止），单位为记录的位移单位。</translation>
    </message>
    <message>
        <source>Tolerance for thinning: a point closer than this to its neighbour within the range is deleted, in the record's displacement unit.</source>
        <translation>稀疏容差：范围内与相邻点距离小于此值的点被删除，单位为记录的位移单位。</translation>
    </message>
    <message>
        <source>Delete the skeleton points inside the displacement range that lie within the tolerance of their neighbour.</source>
        <translation>删除位移范围内与相邻点距离在容差以内的骨架点。</translation>
    </message>
    <message>
        <source>Save the extremes of every loop to a text or CSV file.</source>
        <translation>将每个滞回环的极值保存为文本或 CSV 文件。</translation>
    </message>
    <message>
        <source>Export every series of the chart to a new workbook with an XY chart over the data (see Options &gt; Excel Export Options).</source>
        <translation>将图中所有数据系列输出到新的 Excel 工作簿，并在数据上方生成 XY 散点图（见 选项 &gt; Excel 输出选项）。</translation>
    </message>
    <message>
        <source>Save the working curve, with its edits, as displacement and force per line.</source>
        <translation>保存含修改的工作曲线，每行为位移和力。</translation>
    </message>
    <message>
        <source>Save both skeleton branches to a text or CSV file.</source>
        <translation>将骨架曲线两个分支保存为文本或 CSV 文件。</translation>
    </message>
    <message>
        <source>The last records opened; each is read again with the first line and step it was read with.</source>
        <translation>最近打开的记录；按当时的起始行和步长重新读取。</translation>
    </message>
    <message>
        <source>Size, lines, markers, axes, legend and layout of the workbook chart; "Report-ready" sets a chart for reports.</source>
        <translation>工作簿图表的尺寸、线条、标记、坐标轴、图例和布局；“报告格式”一键设为适合报告的图表。</translation>
    </message>
    <message>
        <source>Take back the last edit of the curves on the chart: a dragged, added or deleted point, or a thinning. Import, analysis and extraction start anew; an edited skeleton curve they replace comes back with one Undo.</source>
        <translation>撤销图上曲线的最后一次修改：拖动、增加或删除的点，或一次稀疏。导入、分析和提取会重新开始；它们替换掉的已编辑骨架曲线可用一次撤销恢复。</translation>
    </message>
    <message>
        <source>Make the edit taken back last again.</source>
        <translation>重做最后撤销的修改。</translation>
    </message>
    <message>
        <source>Energy, damping, degradation, yield and ductility of the test, with the constructions on the chart.</source>
        <translation>试验的耗能、阻尼、退化、屈服和延性，并在图上绘出作图过程。</translation>
    </message>
    <message>
        <source>Decimal separator, the displacement and force columns, and a preview of the rows as they will be read.</source>
        <translation>小数分隔符、位移列和力列，以及按此读取的数据行预览。</translation>
    </message>
    <message>
        <source>Version, licence and authors of QLNX.</source>
        <translation>QLNX 的版本、许可证和作者。</translation>
    </message>
    <message>
        <source>How to support the development of QLNX.</source>
        <translation>如何支持 QLNX 的开发。</translation>
    </message>
    <message>
        <source>Open the user guide.</source>
        <translation>打开使用说明。</translation>
    </message>
    <message>
        <source>Open the QLNX home page in the web browser.</source>
        <translation>在浏览器中打开 QLNX 主页。</translation>
    </message>
    <message>
        <source>Full name of the imported file.</source>
        <translation>导入文件的完整路径。</translation>
    </message>
    <message>
        <source>Apply what the message suggests.</source>
        <translation>按提示的建议执行。</translation>
    </message>
    <message>
        <source>What a click on the chart does: drag a node, add a node (double click) or delete a node (double click); None leaves the chart alone.</source>
        <translation>在图上点击的作用：拖动节点、增加节点（双击）或删除节点（双击）；“无”表示不修改图。</translation>
    </message>
    <message>
        <source>Curve that the chart editing acts on: the positive or negative skeleton branch, or the loop curve.</source>
        <translation>图上编辑作用的曲线：骨架曲线正向或负向分支，或滞回曲线。</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>自定义</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>Ultimate ratio</source>
        <translation>极限荷载比</translation>
    </message>
    <message>
        <source>Displacement</source>
        <translation>位移</translation>
    </message>
    <message>
        <source>Force</source>
        <translation>力</translation>
    </message>
    <message>
        <source>Peak point</source>
        <translation>峰值点</translation>
    </message>
    <message>
        <source>Level tolerance</source>
        <translation>级别容差</translation>
    </message>
    <message>
        <source>GeneralYield</source>
        <translation>通用屈服弯矩法</translation>
    </message>
    <message>
        <source>EqualEnergy</source>
        <translation>能量等值法</translation>
    </message>
    <message>
        <source>EqualEnergyIntersection</source>
        <translation>能量等值法（交点）</translation>
    </message>
    <message>
        <source>Park</source>
        <translation>Park 法</translation>
    </message>
    <message>
        <source>FarthestPoint</source>
        <translation>最远点法</translation>
    </message>
    <message>
        <source>EEEP</source>
        <translation>EEEP 法</translation>
    </message>
    <message>
        <source>EN12512</source>
        <translation>EN 12512 法</translation>
    </message>
    <message>
        <source>Construction</source>
        <translation>作图方法</translation>
    </message>
    <message>
        <source>Side</source>
        <translation>方向</translation>
    </message>
    <message>
        <source>Energy</source>
        <translation>耗能</translation>
    </message>
    <message>
        <source>Damping</source>
        <translation>阻尼</translation>
    </message>
    <message>
        <source>Secant Stiffness</source>
        <translation>割线刚度</translation>
    </message>
    <message>
        <source>Strength Degradation</source>
        <translation>强度退化</translation>
    </message>
    <message>
        <source>Loops</source>
        <translation>滞回环</translation>
    </message>
    <message>
        <source>Levels</source>
        <translation>加载级</translation>
    </message>
    <message>
        <source>Yield Points</source>
        <translation>屈服点</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Save…</source>
        <translation>保存…</translation>
    </message>
    <message>
        <source>Export to Workbook…</source>
        <translation>输出到工作簿…</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Energy per loop</source>
        <translation>每圈耗能</translation>
    </message>
    <message>
        <source>Cumulative energy</source>
        <translation>累积耗能</translation>
    </message>
    <message>
        <source>Equivalent viscous damping he</source>
        <translation>等效黏滞阻尼系数 he</translation>
    </message>
    <message>
        <source>Amplitude</source>
        <translation>幅值</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>加载级</translation>
    </message>
    <message>
        <source>Strength to first cycle</source>
        <translation>与首圈强度之比</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>滞回环</translation>
    </message>
    <message>
        <source>Export Options</source>
        <translation>Excel 输出选项</translation>
    </message>
    <message>
        <source>Serie</source>
        <translation>数据系列</translation>
    </message>
    <message>
        <source>Line Weight</source>
        <translation>线宽</translation>
    </message>
    <message>
        <source>Line Color</source>
        <translation>线条颜色</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Same as Plot Panel</source>
        <translation>与图中相同</translation>
    </message>
    <message>
        <source>Show Maker</source>
        <translation>显示标记</translation>
    </message>
    <message>
        <source>Maker Style</source>
        <translation>标记样式</translation>
    </message>
    <message>
        <source>Maker Size</source>
        <translation>标记大小</translation>
    </message>
    <message>
        <source>Maker Color</source>
        <translation>标记颜色</translation>
    </message>
    <message>
        <source>Axis</source>
        <translation>坐标轴</translation>
    </message>
    <message>
        <source>Show Axis Title</source>
        <translation>显示坐标轴标题</translation>
    </message>
    <message>
        <source>X Axis Title</source>
        <translation>X 轴标题</translation>
    </message>
    <message>
        <source>Y Axis Title</source>
        <translation>Y 轴标题</translation>
    </message>
    <message>
        <source>Font Size</source>
        <translation>字号</translation>
    </message>
    <message>
        <source>Show Axis Line</source>
        <translation>显示坐标轴线</translation>
    </message>
    <message>
        <source>X Axis Position</source>
        <translation>X 轴位置</translation>
    </message>
    <message>
        <source>Y Axis Position</source>
        <translation>Y 轴位置</translation>
    </message>
    <message>
        <source>Ticklabel Font Size</source>
        <translation>刻度标签字号</translation>
    </message>
    <message>
        <source>Lengend</source>
        <translation>图例</translation>
    </message>
    <message>
        <source>Show Lengend</source>
        <translation>显示图例</translation>
    </message>
    <message>
        <source>IncludeInLayout</source>
        <translation>图例不覆盖绘图区</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>标题</translation>
    </message>
    <message>
        <source>Show Graph Title</source>
        <translation>显示图表标题</translation>
    </message>
    <message>
        <source>Plot Area</source>
        <translation>绘图区</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高度</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>宽度</translation>
    </message>
    <message>
        <source>Show Plot Area Line</source>
        <translation>显示绘图区边框</translation>
    </message>
    <message>
        <source>Export Mode</source>
        <translation>输出方式</translation>
    </message>
    <message>
        <source>Single Output</source>
        <translation>每个系列单独输出</translation>
    </message>
    <message>
        <source>Combined Output</source>
        <translation>合并输出</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>图表</translation>
    </message>
    <message>
        <source>Line Type</source>
        <translation>线型</translation>
    </message>
    <message>
        <source>Smooth</source>
        <translation>平滑曲线</translation>
    </message>
    <message>
        <source>Straight</source>
        <translation>直线</translation>
    </message>
    <message>
        <source>Series Order</source>
        <translation>系列顺序</translation>
    </message>
    <message>
        <source>As in the Chart</source>
        <translation>与图中相同</translation>
    </message>
    <message>
        <source>Loop Underneath</source>
        <translation>滞回曲线在下层</translation>
    </message>
    <message>
        <source>Point Series</source>
        <translation>点系列</translation>
    </message>
    <message>
        <source>As Others</source>
        <translation>与其他相同</translation>
    </message>
    <message>
        <source>Markers Only</source>
        <translation>仅标记</translation>
    </message>
    <message>
        <source>Loop Series</source>
        <translation>滞回曲线系列</translation>
    </message>
    <message>
        <source>Thin Line</source>
        <translation>细线</translation>
    </message>
    <message>
        <source>Legend</source>
        <translation>图例</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右侧</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>底部</translation>
    </message>
    <message>
        <source>Axes Cross</source>
        <translation>坐标轴交点</translation>
    </message>
    <message>
        <source>At Position</source>
        <translation>按指定位置</translation>
    </message>
    <message>
        <source>At Minimum</source>
        <translation>在最小值处</translation>
    </message>
    <message>
        <source>Placement</source>
        <translation>图表位置</translation>
    </message>
    <message>
        <source>At C5</source>
        <translation>在单元格 C5</translation>
    </message>
    <message>
        <source>Right of Data</source>
        <translation>数据右侧</translation>
    </message>
    <message>
        <source>Report-ready</source>
        <translation>报告格式</translation>
    </message>
    <message>
        <source>Line weight of the chart's series, points (0 = thinnest).</source>
        <translation>图表系列的线宽，单位磅（0 = 最细）。</translation>
    </message>
    <message>
        <source>Line colour: Auto lets the spreadsheet choose; Same as Plot Panel uses the colour of the series in this window.</source>
        <translation>线条颜色：“自动”由电子表格决定；“与图中相同”使用本窗口中系列的颜色。</translation>
    </message>
    <message>
        <source>Draw markers at the points of every series.</source>
        <translation>在每个系列的数据点处绘制标记。</translation>
    </message>
    <message>
        <source>Marker shape: 1 square, 2 diamond, 3 triangle, 4 x, 5 star, 6 short dash, 7 long dash, 8 circle, 9 plus.</source>
        <translation>标记形状：1 方形，2 菱形，3 三角形，4 叉号，5 星形，6 短横线，7 长横线，8 圆形，9 加号。</translation>
    </message>
    <message>
        <source>Marker size, points (2 to 72).</source>
        <translation>标记大小，单位磅（2 到 72）。</translation>
    </message>
    <message>
        <source>Marker fill colour: Auto, or the colour of the series in this window.</source>
        <translation>标记填充颜色：自动，或本窗口中系列的颜色。</translation>
    </message>
    <message>
        <source>Show the two axis titles below.</source>
        <translation>显示下面的两个坐标轴标题。</translation>
    </message>
    <message>
        <source>Title of the X (displacement) axis.</source>
        <translation>X 轴（位移）标题。</translation>
    </message>
    <message>
        <source>Title of the Y (force) axis.</source>
        <translation>Y 轴（力）标题。</translation>
    </message>
    <message>
        <source>Font size of both axis titles, points (1 to 409).</source>
        <translation>两个坐标轴标题的字号，单位磅（1 到 409）。</translation>
    </message>
    <message>
        <source>Draw both axis lines.</source>
        <translation>绘制两条坐标轴线。</translation>
    </message>
    <message>
        <source>X value where the Y axis crosses the X axis, truncated to a whole number; empty leaves it to the spreadsheet.</source>
        <translation>Y 轴与 X 轴相交处的 X 值，取整；留空由电子表格决定。</translation>
    </message>
    <message>
        <source>Y value where the X axis crosses the Y axis, truncated to a whole number; empty leaves it to the spreadsheet.</source>
        <translation>X 轴与 Y 轴相交处的 Y 值，取整；留空由电子表格决定。</translation>
    </message>
    <message>
        <source>Font size of the tick labels of both axes, points (1 to 409).</source>
        <translation>两个坐标轴刻度标签的字号，单位磅（1 到 409）。</translation>
    </message>
    <message>
        <source>Show the legend of the chart's series.</source>
        <translation>显示图表系列的图例。</translation>
    </message>
    <message>
        <source>Give the legend its own room beside the plot; unticked it lies over the plot.</source>
        <translation>图例在绘图区旁边单独占位；不勾选时图例覆盖在绘图区上。</translation>
    </message>
    <message>
        <source>Font size of the legend, points (1 to 409).</source>
        <translation>图例字号，单位磅（1 到 409）。</translation>
    </message>
    <message>
        <source>Show the chart title below.</source>
        <translation>显示下面的图表标题。</translation>
    </message>
    <message>
        <source>Text of the chart title.</source>
        <translation>图表标题文字。</translation>
    </message>
    <message>
        <source>Font size of the chart title, points (not sent: the title keeps the spreadsheet's size).</source>
        <translation>图表标题字号，单位磅（不输出：标题保持电子表格的字号）。</translation>
    </message>
    <message>
        <source>Height of the chart, points (72 points = 1 inch).</source>
        <translation>图表高度，单位磅（72 磅 = 1 英寸）。</translation>
    </message>
    <message>
        <source>Width of the chart, points (72 points = 1 inch).</source>
        <translation>图表宽度，单位磅（72 磅 = 1 英寸）。</translation>
    </message>
    <message>
        <source>Draw a border around the plot area.</source>
        <translation>在绘图区四周绘制边框。</translation>
    </message>
    <message>
        <source>Two columns (X, Y) per series of the chart, and one chart series each.</source>
        <translation>图中每个系列两列（X、Y），各成一个图表系列。</translation>
    </message>
    <message>
        <source>All points in one table (series name, X, Y) and one chart series.</source>
        <translation>所有点放在一张表中（系列名、X、Y），成一个图表系列。</translation>
    </message>
    <message>
        <source>Keep the settings shown, for the next export and the next start of QLNX.</source>
        <translation>保存当前设置，用于下次输出和下次启动 QLNX。</translation>
    </message>
    <message>
        <source>Close the dialog; settings kept with Update stay.</source>
        <translation>关闭对话框；用“更新”保存的设置保留。</translation>
    </message>
    <message>
        <source>Smooth curves through the points, or straight lines between them (straight lines show the measured peaks as they are).</source>
        <translation>过数据点的平滑曲线，或点间直线（直线如实显示实测峰值）。</translation>
    </message>
    <message>
        <source>Order in which the series are drawn: as in the chart, or the loop first (under the skeleton and the chosen loop) and the point series last.</source>
        <translation>系列的绘制顺序：与图中相同，或先画滞回曲线（位于骨架曲线和所选滞回环之下），最后画点系列。</translation>
    </message>
    <message>
        <source>Point1 and Point2 drawn like the other series, or as markers only, not joined by lines.</source>
        <translation>Point1 和 Point2 与其他系列画法相同，或只画标记、不连线。</translation>
    </message>
    <message>
        <source>The loop series drawn like the other series, or as a thin line (0.25 pt) without markers.</source>
        <translation>滞回曲线系列与其他系列画法相同，或画成无标记的细线（0.25 磅）。</translation>
    </message>
    <message>
        <source>Place of the legend: at the right, or at the bottom below the plot.</source>
        <translation>图例位置：右侧，或绘图区下方。</translation>
    </message>
    <message>
        <source>Where the axes cross: at the X and Y Axis Position, or each axis at the other's minimum (the lower left corner of the plot).</source>
        <translation>坐标轴交点：按 X、Y 轴位置，或各轴在另一轴的最小值处（绘图区左下角）。</translation>
    </message>
    <message>
        <source>Place of the chart: at cell C5 over the data, or to the right of the data columns.</source>
        <translation>图表位置：在单元格 C5 处覆盖数据，或在数据列右侧。</translation>
    </message>
    <message>
        <source>Set a chart for reports: straight lines, points as markers, the loop as a thin line underneath, the window's axis titles, axes at their minimum, legend below, 480 x 300 pt right of the data, single output. Press Update to keep it.</source>
        <translation>设为适合报告的图表：直线、点系列只画标记、滞回曲线为下层细线、采用本窗口的坐标轴标题、坐标轴交于最小值、图例在下方、480 x 300 磅置于数据右侧、每个系列单独输出。按“更新”保存。</translation>
    </message>
    <message>
        <source>Import Options</source>
        <translation>导入选项</translation>
    </message>
    <message>
        <source>Auto (decided from the first line read)</source>
        <translation>自动（由读取的第一行决定）</translation>
    </message>
    <message>
        <source>Point (1.5)</source>
        <translation>小数点 (1.5)</translation>
    </message>
    <message>
        <source>Comma (1,5)</source>
        <translation>逗号 (1,5)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Decimal separator</source>
        <translation>小数分隔符</translation>
    </message>
    <message>
        <source>Displacement column</source>
        <translation>位移列</translation>
    </message>
    <message>
        <source>Force column</source>
        <translation>力列</translation>
    </message>
    <message>
        <source>Displacement read</source>
        <translation>读得的位移</translation>
    </message>
    <message>
        <source>Force read</source>
        <translation>读得的力</translation>
    </message>
    <message>
        <source>The displacement and force columns must differ.</source>
        <translation>位移列和力列不能相同。</translation>
    </message>
    <message>
        <source>Import a record to see here how its first lines are read.</source>
        <translation>导入记录后，这里显示其前几行的读取方式。</translation>
    </message>
    <message>
        <source>comma-separated</source>
        <translation>逗号分隔</translation>
    </message>
    <message>
        <source>semicolon-separated</source>
        <translation>分号分隔</translation>
    </message>
    <message>
        <source>tab-separated</source>
        <translation>制表符分隔</translation>
    </message>
    <message>
        <source>blank-separated</source>
        <translation>空格分隔</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>QLNX</source>
        <translation>QLNX</translation>
    </message>
    <message>
        <source>Test records</source>
        <translation>试验记录</translation>
    </message>
    <message>
        <source>Text Files</source>
        <translation>文本文件</translation>
    </message>
    <message>
        <source>CSV Files</source>
        <translation>CSV 文件</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>所有文件</translation>
    </message>
    <message>
        <source>Text files</source>
        <translation>文本文件</translation>
    </message>
    <message>
        <source>CSV files</source>
        <translation>CSV 文件</translation>
    </message>
    <message>
        <source>PNG image</source>
        <translation>PNG 图片</translation>
    </message>
    <message>
        <source>PDF document</source>
        <translation>PDF 文档</translation>
    </message>
    <message>
        <source>Exporting the chart to a workbook</source>
        <translation>正在将图表输出到工作簿</translation>
    </message>
    <message>
        <source>Confirm Save As</source>
        <translation>确认另存为</translation>
    </message>
    <message>
        <source>There is no skeleton curve to save: extract it first.</source>
        <translation>没有可保存的骨架曲线：请先提取。</translation>
    </message>
    <message>
        <source>First Line must large than 0!</source>
        <translation>数据起始行必须大于 0！</translation>
    </message>
    <message>
        <source>Data Import Step must not be 0!</source>
        <translation>导入步长不能为 0！</translation>
    </message>
    <message>
        <source>The displacement and force columns must be two different numbers from 1 on!</source>
        <translation>位移列和力列必须是从 1 起的两个不同的数！</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>内存不足</translation>
    </message>
    <message>
        <source>Imported Loop is less than 3 points!</source>
        <translation>导入的曲线少于 3 个点！</translation>
    </message>
    <message>
        <source>Noise Band must not be negative!</source>
        <translation>噪声带不能为负！</translation>
    </message>
    <message>
        <source>This record loads towards negative displacements first; Loop Direction Negative fits it.</source>
        <translation>此记录先向负位移加载；加载方向应选“负向”。</translation>
    </message>
    <message>
        <source>This record loads towards positive displacements first; Loop Direction Positive fits it.</source>
        <translation>此记录先向正位移加载；加载方向应选“正向”。</translation>
    </message>
    <message>
        <source>thinning</source>
        <translation>稀疏</translation>
    </message>
    <message>
        <source>addition of a node</source>
        <translation>增加节点</translation>
    </message>
    <message>
        <source>deletion of a node</source>
        <translation>删除节点</translation>
    </message>
    <message>
        <source>drag of a node</source>
        <translation>拖动节点</translation>
    </message>
    <message>
        <source>drag of a loop point</source>
        <translation>拖动滞回曲线上的点</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 行</translation>
    </message>
    <message>
        <source>%1 rows; %2</source>
        <translation>%1 行；%2</translation>
    </message>
    <message>
        <source>%1, decimal point</source>
        <translation>%1，小数点</translation>
    </message>
    <message>
        <source>%1, decimal comma</source>
        <translation>%1，小数逗号</translation>
    </message>
    <message>
        <source>%1 loops found.</source>
        <translation>找到 %1 个滞回环。</translation>
    </message>
    <message>
        <source>%1 loops found with a noise band of %2.</source>
        <translation>找到 %1 个滞回环，噪声带为 %2。</translation>
    </message>
    <message>
        <source>Skeleton curve: %1 points on the positive branch, %2 on the negative.</source>
        <translation>骨架曲线：正向分支 %1 个点，负向分支 %2 个点。</translation>
    </message>
    <message>
        <source>Thinning removed %1 points (%2 positive, %3 negative).</source>
        <translation>稀疏删除了 %1 个点（正向 %2 个，负向 %3 个）。</translation>
    </message>
    <message>
        <source>Saved the working curve to %1.</source>
        <translation>已将工作曲线保存到 %1。</translation>
    </message>
    <message>
        <source>Saved the loop extremes to %1.</source>
        <translation>已将各圈极值保存到 %1。</translation>
    </message>
    <message>
        <source>Saved the skeleton curve to %1.</source>
        <translation>已将骨架曲线保存到 %1。</translation>
    </message>
    <message>
        <source>Saved the chart as %1.</source>
        <translation>已将图表保存为 %1。</translation>
    </message>
    <message>
        <source>Workbook written to %1.</source>
        <translation>工作簿已写入 %1。</translation>
    </message>
    <message>
        <source>Undone: %1.</source>
        <translation>已撤销：%1。</translation>
    </message>
    <message>
        <source>Redone: %1.</source>
        <translation>已重做：%1。</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>撤销%1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>重做%1</translation>
    </message>
    <message>
        <source>Disp = %1   Force = %2</source>
        <translation>位移 = %1   力 = %2</translation>
    </message>
    <message>
        <source>%1 no longer exists; it was taken off the recent records.</source>
        <translation>%1 已不存在，已从最近的记录中移除。</translation>
    </message>
    <message>
        <source>&amp;%1 %2  (first line %3, step %4)</source>
        <translation>&amp;%1 %2  （起始行 %3，步长 %4）</translation>
    </message>
    <message>
        <source>Reading %1</source>
        <translation>正在读取 %1</translation>
    </message>
    <message>
        <source>Writing %1</source>
        <translation>正在写入 %1</translation>
    </message>
    <message>
        <source>Cannot open %1.</source>
        <translation>无法打开 %1。</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 已存在。
要替换它吗？</translation>
    </message>
    <message>
        <source>Read from line %1: %2.</source>
        <translation>从第 %1 行读取：%2。</translation>
    </message>
    <message>
        <source>Noise band: %1
Skeleton: %2</source>
        <translation>噪声带：%1
骨架曲线：%2</translation>
    </message>
    <message>
        <source>%1 Displacement</source>
        <translation>%1 位移</translation>
    </message>
    <message>
        <source>%1 Force</source>
        <translation>%1 力</translation>
    </message>
    <message>
        <source>%1 of %2 loops are smaller than 1 % of the displacement range (noise around the first displacement?). A noise band of %3 merges them.</source>
        <translation>%2 个滞回环中有 %1 个小于位移范围的 1 %（初始位移附近的噪声？）。噪声带取 %3 可将其合并。</translation>
    </message>
    <message>
        <source>Line %1 is empty.</source>
        <translation>第 %1 行为空。</translation>
    </message>
    <message>
        <source>Line %1 has no field %2.</source>
        <translation>第 %1 行没有第 %2 个字段。</translation>
    </message>
    <message>
        <source>Line %1: '%2' is not a number.</source>
        <translation>第 %1 行：“%2”不是数字。</translation>
    </message>
    <message>
        <source>Line %1 has %2 field; line %3 has %4.</source>
        <translation>第 %1 行有 %2 个字段；第 %3 行有 %4 个。</translation>
    </message>
    <message>
        <source>Line %1 has %2 fields; line %3 has %4.</source>
        <translation>第 %1 行有 %2 个字段；第 %3 行有 %4 个。</translation>
    </message>
    <message>
        <source>The file has %1 line; line %2 is past its end.</source>
        <translation>文件只有 %1 行；第 %2 行超出了文件末尾。</translation>
    </message>
    <message>
        <source>The file has %1 lines; line %2 is past its end.</source>
        <translation>文件只有 %1 行；第 %2 行超出了文件末尾。</translation>
    </message>
    <message>
        <source>Line %1 looks like a header: the data start at line %2.</source>
        <translation>第 %1 行像是表头：数据从第 %2 行开始。</translation>
    </message>
    <message>
        <source>%1 changed while it was read; import it again when it is complete.</source>
        <translation>%1 在读取过程中发生了变化；请在其写完后重新导入。</translation>
    </message>
    <message>
        <source>List index out of bounds (%1)</source>
        <translation>列表索引越界 (%1)</translation>
    </message>
    <message>
        <source>''%1'' is not a valid integer value</source>
        <translation>“%1”不是有效的整数</translation>
    </message>
    <message>
        <source>'%1' is not a valid floating point value</source>
        <translation>“%1”不是有效的数字</translation>
    </message>
    <message>
        <source>Cannot open file "%1". %2</source>
        <translation>无法打开文件“%1”。%2</translation>
    </message>
    <message>
        <source>Cannot create file "%1". %2</source>
        <translation>无法创建文件“%1”。%2</translation>
    </message>
    <message>
        <source>%1 is the record being analysed; choose another name.</source>
        <translation>%1 是正在分析的记录；请另选文件名。</translation>
    </message>
    <message>
        <source>The series "%1" has %2 points, more than the %3 data rows of a worksheet. Nothing was exported.</source>
        <translation>系列“%1”有 %2 个点，超过了工作表的 %3 个数据行。未输出任何内容。</translation>
    </message>
    <message>
        <source>The series "%1" does not fit into the combined table: a worksheet has %2 data rows. Nothing was exported.</source>
        <translation>系列“%1”放不进合并表：工作表只有 %2 个数据行。未输出任何内容。</translation>
    </message>
    <message>
        <source>The workbook was saved as
%1
but no program on this computer opens it.</source>
        <translation>工作簿已保存为
%1
但本机没有能打开它的程序。</translation>
    </message>
    <message>
        <source>The %1 branch never falls to %2 of its peak force: its last point stands for the ultimate point and its ductilities are lower bounds.</source>
        <translation>%1分支始终未降到峰值力的 %2：以其最后一点作为极限点，其延性系数为下限值。</translation>
    </message>
    <message>
        <source>%1 point(s) of the %2 branch step back (no further out than a point before them) and are left out of its outward path: the yield points and the ultimate point are found without them.</source>
        <translation>%2分支有 %1 个点向回退（未超出其前面的点），不计入外向路径：屈服点与极限点的求取不含这些点。</translation>
    </message>
    <message>
        <source>This record does not start at rest: its first sample is at displacement %1, force %2. Zeroing both at the first sample measures the skeleton&apos;s origin and the residual deformations from where the test started.</source>
        <translation>该记录不是从静止状态开始：第一个采样点的位移为 %1，力为 %2。在第一个采样点将两者归零后，骨架曲线的原点和残余变形将从试验起点量起。</translation>
    </message>
    <message>
        <source>positive</source>
        <translation>正向</translation>
    </message>
    <message>
        <source>negative</source>
        <translation>负向</translation>
    </message>
    <message>
        <source>QLNX %1 – hysteresis loops and skeleton curves of cyclic loading tests</source>
        <translation>QLNX %1 – 低周反复加载试验的滞回曲线与骨架曲线</translation>
    </message>
    <message>
        <source>QLNX %1 · free software (GPL-3.0-or-later)</source>
        <translation>QLNX %1 · 自由软件 (GPL-3.0-or-later)</translation>
    </message>
    <message>
        <source>About QLNX</source>
        <translation>关于 QLNX</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>版本 %1</translation>
    </message>
    <message>
        <source>Hysteresis loops and skeleton curves of cyclic loading tests: import a force–displacement record, split it into loops, extract, thin and edit the skeleton curve, and export the results.</source>
        <translation>低周反复加载试验的滞回曲线与骨架曲线：导入力–位移记录，分成滞回环，提取、稀疏并编辑骨架曲线，输出结果。</translation>
    </message>
    <message>
        <source>Licence: GNU General Public License, version 3 or later (GPL-3.0-or-later). This program comes with ABSOLUTELY NO WARRANTY.</source>
        <translation>许可证：GNU 通用公共许可证第 3 版或更高版本 (GPL-3.0-or-later)。本程序不提供任何担保。</translation>
    </message>
    <message>
        <source>Thank you for using QLNX!

QLNX is free software, written by engineers for engineers. If it saves you time in the laboratory, the best support is to tell colleagues about it, report what could work better, and share improvements.

感谢您的支持！</source>
        <translation>感谢使用 QLNX！

QLNX 是工程师为工程师编写的自由软件。如果它为您在实验室节省了时间，最好的支持就是向同事推荐、反馈可以改进之处并分享您的改进。

感谢您的支持！</translation>
    </message>
    <message>
        <source>QLNX – How to use</source>
        <translation>QLNX – 使用说明</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>后退</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>目录</translation>
    </message>
    <message>
        <source>JGJ/T 101</source>
        <translation>JGJ/T 101</translation>
    </message>
    <message>
        <source>EN 12512</source>
        <translation>EN 12512</translation>
    </message>
    <message>
        <source>ASTM E2126</source>
        <translation>ASTM E2126</translation>
    </message>
    <message>
        <source>Disp</source>
        <translation>位移</translation>
    </message>
    <message>
        <source>Loop_</source>
        <translation>所选滞回环</translation>
    </message>
    <message>
        <source>Vorlix_Positive</source>
        <translation>骨架曲线（正向）</translation>
    </message>
    <message>
        <source>Vorlix_Negative</source>
        <translation>骨架曲线（负向）</translation>
    </message>
    <message>
        <source>Point1</source>
        <translation>Point1</translation>
    </message>
    <message>
        <source>Point2</source>
        <translation>Point2</translation>
    </message>
    <message>
        <source>he</source>
        <translation>he</translation>
    </message>
    <message>
        <source>Language of the captions, menus, messages and tooltips; numbers and the files written are the same in every language.</source>
        <translation>标题、菜单、消息和提示的语言；数字和写出的文件在任何语言下都相同。</translation>
    </message>
    <message>
        <source>The captions as the window has always shown them, in English and Chinese.</source>
        <translation>按窗口原有设计显示标题（中英文混合）。</translation>
    </message>
    <message>
        <source>Every text in plain English.</source>
        <translation>所有文字使用英文。</translation>
    </message>
    <message>
        <source>Every text in Chinese.</source>
        <translation>所有文字使用中文。</translation>
    </message>
    <message>
        <source>Loop_%1</source>
        <translation>第 %1 圈</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>项目</translation>
    </message>
    <message>
        <source>New Project</source>
        <translation>新建项目</translation>
    </message>
    <message>
        <source>Open Project…</source>
        <translation>打开项目…</translation>
    </message>
    <message>
        <source>Save Project</source>
        <translation>保存项目</translation>
    </message>
    <message>
        <source>Save Project As…</source>
        <translation>项目另存为…</translation>
    </message>
    <message>
        <source>Specimens</source>
        <translation>试件</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>组</translation>
    </message>
    <message>
        <source>Start a project: a campaign of specimens, each a record with its analysis.</source>
        <translation>新建项目：一组试件，每个试件为一个记录及其分析。</translation>
    </message>
    <message>
        <source>Open a project and show its first specimen exactly as it was saved.</source>
        <translation>打开项目，并按保存时的样子显示第一个试件。</translation>
    </message>
    <message>
        <source>Save the project with every specimen's options and skeleton as edited.</source>
        <translation>保存项目及每个试件的选项和编辑后的骨架曲线。</translation>
    </message>
    <message>
        <source>Save the project under another name.</source>
        <translation>以另一名称保存项目。</translation>
    </message>
    <message>
        <source>The chosen specimen's name.</source>
        <translation>所选试件的名称。</translation>
    </message>
    <message>
        <source>The chosen specimen's group: specimens of one group are compared.</source>
        <translation>所选试件的组：同组试件相互比较。</translation>
    </message>
    <message>
        <source>Add the record in the window, with its analysis, as a specimen.</source>
        <translation>将窗口中的记录及其分析添加为试件。</translation>
    </message>
    <message>
        <source>Take the chosen specimen out of the project.</source>
        <translation>将所选试件移出项目。</translation>
    </message>
    <message>
        <source>Move the chosen specimen up.</source>
        <translation>将所选试件上移。</translation>
    </message>
    <message>
        <source>Move the chosen specimen down.</source>
        <translation>将所选试件下移。</translation>
    </message>
    <message>
        <source>replacement of the edited skeleton curve</source>
        <translation>替换已编辑的骨架曲线</translation>
    </message>
    <message>
        <source>The edited skeleton curve was replaced; Undo brings it back.</source>
        <translation>已编辑的骨架曲线被替换；撤销可将其恢复。</translation>
    </message>
    <message>
        <source>%1 The edited skeleton curve was replaced; Undo brings it back.</source>
        <translation>%1 已编辑的骨架曲线被替换；撤销可将其恢复。</translation>
    </message>
    <message>
        <source>Thinning removed %1 points (%2 positive, %3 negative), the peak points of both branches among them.</source>
        <translation>稀疏删除了 %1 个点（正向 %2 个，负向 %3 个），其中包括两个分支的峰值点。</translation>
    </message>
    <message>
        <source>Thinning removed %1 points (%2 positive, %3 negative), the positive branch's peak point among them.</source>
        <translation>稀疏删除了 %1 个点（正向 %2 个，负向 %3 个），其中包括正向分支的峰值点。</translation>
    </message>
    <message>
        <source>Thinning removed %1 points (%2 positive, %3 negative), the negative branch's peak point among them.</source>
        <translation>稀疏删除了 %1 个点（正向 %2 个，负向 %3 个），其中包括负向分支的峰值点。</translation>
    </message>
    <message>
        <source>每级首圈峰值点(包络)      </source>
        <translation>每级首圈峰值点(包络)</translation>
    </message>
    <message>
        <source>Negative loop energy: the loop runs the other way round, so it took energy in instead of dissipating it. Check the sign of the force or the displacement channel.</source>
        <translation>负的滞回环能量：该圈沿相反方向运行，吸收了能量而不是耗散能量。请检查力或位移通道的符号。</translation>
    </message>
    <message>
        <source>Ultimate not reached: the skeleton never falls to the ultimate ratio of its peak force, so its last point stands for the ultimate point and the ductilities are lower bounds.</source>
        <translation>未达到极限点：骨架曲线从未降到峰值力的极限比例，因此以其最后一点作为极限点，延性系数为下限值。</translation>
    </message>
    <message>
        <source>EEEP fallback: no elastic-plastic bilinear has the area under the curve, so the yield force is 0.85 Fmax.</source>
        <translation>EEEP 退化：没有与曲线下面积相等的弹塑性双线性模型，因此屈服力取 0.85 Fmax。</translation>
    </message>
    <message>
        <source>The construction leaves the data (it needs a point beyond the measured curve, or its yield point lies beyond the ultimate point), so this method gives no yield point.</source>
        <translation>该作图超出了数据范围（需要实测曲线以外的点，或其屈服点位于极限点之外），因此该方法不给出屈服点。</translation>
    </message>
    <message>
        <source>Peaks off their quadrant: a peak point of this loop lies at a force of the other sign than its displacement (after a fracture, or force peaks on a slipping loop), so the elastic energy triangles mean nothing and the damping, the dissipation coefficient and the secant stiffness are empty.</source>
        <translation>峰值点不在其象限内：该圈的一个峰值点的力与位移符号相反（断裂之后，或滑移圈上的力峰值），因此弹性能三角形没有意义，等效阻尼、耗能系数和割线刚度为空。</translation>
    </message>
    <message>
        <source>Incomplete loop: the record ends before this loop closes, so it belongs to no level and its level and cycle are empty.</source>
        <translation>不完整的圈：记录在该圈闭合之前结束，因此它不属于任何加载级，其级别和循环为空。</translation>
    </message>
    <message>
        <source>Ultimate capped: the branch reaches the standard's largest slip before it falls to the ultimate ratio of its peak force, so the slip is the ultimate displacement.</source>
        <translation>极限位移受限：该分支在降到峰值力的极限比例之前已达到标准规定的最大滑移，因此以该滑移作为极限位移。</translation>
    </message>
    <message>
        <source>Points left out: these points of the skeleton step back (they lie no further out than a point before them), so the constructions follow the outward path without them.</source>
        <translation>已略去的点：骨架曲线的这些点向回退（不比其前面的点更靠外），因此作图沿不含这些点的外行路径进行。</translation>
    </message>
    <message>
        <source>Dock beside the chart</source>
        <translation>停靠在图表旁</translation>
    </message>
    <message>
        <source>Save Image…</source>
        <translation>保存图像…</translation>
    </message>
    <message>
        <source>Cycle</source>
        <translation>循环</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>完整</translation>
    </message>
    <message>
        <source>PosPeakDisp</source>
        <translation>正向峰值点（按位移）</translation>
    </message>
    <message>
        <source>NegPeakDisp</source>
        <translation>负向峰值点（按位移）</translation>
    </message>
    <message>
        <source>PosPeakForce</source>
        <translation>正向峰值点（按力）</translation>
    </message>
    <message>
        <source>NegPeakForce</source>
        <translation>负向峰值点（按力）</translation>
    </message>
    <message>
        <source>CumulativeEnergy</source>
        <translation>累积耗能</translation>
    </message>
    <message>
        <source>DampingRatio</source>
        <translation>等效黏滞阻尼系数</translation>
    </message>
    <message>
        <source>DissipationCoefficient</source>
        <translation>能量耗散系数</translation>
    </message>
    <message>
        <source>SecantStiffness</source>
        <translation>割线刚度</translation>
    </message>
    <message>
        <source>PeaksOffQuadrant</source>
        <translation>峰值点不在象限内</translation>
    </message>
    <message>
        <source>ResidualPos</source>
        <translation>正向残余变形</translation>
    </message>
    <message>
        <source>ResidualNeg</source>
        <translation>负向残余变形</translation>
    </message>
    <message>
        <source>StrengthToFirstPos</source>
        <translation>正向强度与首圈之比</translation>
    </message>
    <message>
        <source>StrengthToFirstNeg</source>
        <translation>负向强度与首圈之比</translation>
    </message>
    <message>
        <source>StrengthToPreviousPos</source>
        <translation>正向强度与前一圈之比</translation>
    </message>
    <message>
        <source>StrengthToPreviousNeg</source>
        <translation>负向强度与前一圈之比</translation>
    </message>
    <message>
        <source>FirstLoop</source>
        <translation>首圈</translation>
    </message>
    <message>
        <source>Cycles</source>
        <translation>循环数</translation>
    </message>
    <message>
        <source>RingStiffness</source>
        <translation>环线刚度</translation>
    </message>
    <message>
        <source>RingStiffnessPos</source>
        <translation>正向环线刚度</translation>
    </message>
    <message>
        <source>RingStiffnessNeg</source>
        <translation>负向环线刚度</translation>
    </message>
    <message>
        <source>ImpairmentPos</source>
        <translation>正向强度损失</translation>
    </message>
    <message>
        <source>ImpairmentNeg</source>
        <translation>负向强度损失</translation>
    </message>
    <message>
        <source>ImpairmentPosRatio</source>
        <translation>正向强度损失比</translation>
    </message>
    <message>
        <source>ImpairmentNegRatio</source>
        <translation>负向强度损失比</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>项目</translation>
    </message>
    <message>
        <source>Ductility</source>
        <translation>延性系数</translation>
    </message>
    <message>
        <source>Stiffness</source>
        <translation>刚度</translation>
    </message>
    <message>
        <source>UltimateReached</source>
        <translation>达到极限点</translation>
    </message>
    <message>
        <source>Fallback</source>
        <translation>退化解</translation>
    </message>
    <message>
        <source>UltimateCapped</source>
        <translation>极限位移受限</translation>
    </message>
    <message>
        <source>DroppedPoints</source>
        <translation>略去点数</translation>
    </message>
    <message>
        <source>Calibrate Model…</source>
        <translation>模型标定…</translation>
    </message>
    <message>
        <source>Calibrate Model</source>
        <translation>模型标定</translation>
    </message>
    <message>
        <source>Fit Steel01, Steel02, Bouc-Wen, BWBN or SAWS to the record and write the OpenSees material.</source>
        <translation>将 Steel01、Steel02、Bouc-Wen、BWBN 或 SAWS 模型拟合到记录，并写出 OpenSees 材料命令。</translation>
    </message>
    <message>
        <source>Models</source>
        <translation>模型</translation>
    </message>
    <message>
        <source>Steel01 (bilinear)</source>
        <translation>Steel01（双线性）</translation>
    </message>
    <message>
        <source>Steel02 (Menegotto-Pinto)</source>
        <translation>Steel02（Menegotto-Pinto）</translation>
    </message>
    <message>
        <source>Bouc-Wen</source>
        <translation>Bouc-Wen</translation>
    </message>
    <message>
        <source>BWBN (pinching)</source>
        <translation>BWBN（捏缩）</translation>
    </message>
    <message>
        <source>SAWS (timber wall)</source>
        <translation>SAWS（木剪力墙）</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>拟合</translation>
    </message>
    <message>
        <source>Seed</source>
        <translation>随机种子</translation>
    </message>
    <message>
        <source>Energy weight</source>
        <translation>能量权重</translation>
    </message>
    <message>
        <source>Remove noise reversals</source>
        <translation>去除噪声反向</translation>
    </message>
    <message>
        <source>Weigh samples by path length</source>
        <translation>按路径长度加权采样点</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>运行</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>模型</translation>
    </message>
    <message>
        <source>Tcl</source>
        <translation>Tcl</translation>
    </message>
    <message>
        <source>OpenSeesPy</source>
        <translation>OpenSeesPy</translation>
    </message>
    <message>
        <source>Save OpenSees…</source>
        <translation>保存 OpenSees…</translation>
    </message>
    <message>
        <source>Comparison</source>
        <translation>比较</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>参数</translation>
    </message>
    <message>
        <source>Energy per Loop</source>
        <translation>每圈耗能</translation>
    </message>
    <message>
        <source>OpenSees</source>
        <translation>OpenSees</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>试验记录</translation>
    </message>
    <message>
        <source>Choose at least one model.</source>
        <translation>请至少选择一个模型。</translation>
    </message>
    <message>
        <source>Analyze the loops of a record before fitting a model.</source>
        <translation>拟合模型前请先分析记录的滞回环。</translation>
    </message>
    <message>
        <source>Fitting…</source>
        <translation>正在拟合…</translation>
    </message>
    <message>
        <source>Cancelled. Models fitted: %1.</source>
        <translation>已取消。已拟合模型：%1。</translation>
    </message>
    <message>
        <source>Models fitted: %1.</source>
        <translation>已拟合模型：%1。</translation>
    </message>
    <message>
        <source>J_F</source>
        <translation>J_F</translation>
    </message>
    <message>
        <source>Energy ratio</source>
        <translation>能量比</translation>
    </message>
    <message>
        <source>Evaluations</source>
        <translation>计算次数</translation>
    </message>
    <message>
        <source>Time (s)</source>
        <translation>时间（秒）</translation>
    </message>
    <message>
        <source>Undetermined</source>
        <translation>未确定参数</translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>参数</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>值</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>下限</translation>
    </message>
    <message>
        <source>Upper</source>
        <translation>上限</translation>
    </message>
    <message>
        <source>Change for +10 % J_F</source>
        <translation>使 J_F 增加 10 % 的变化</translation>
    </message>
    <message>
        <source>Determined</source>
        <translation>是否确定</translation>
    </message>
    <message>
        <source>fixed</source>
        <translation>固定</translation>
    </message>
    <message>
        <source>undetermined (at a bound)</source>
        <translation>未确定（位于边界）</translation>
    </message>
    <message>
        <source>undetermined</source>
        <translation>未确定</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>Model / Record</source>
        <translation>模型 / 记录</translation>
    </message>
    <message>
        <source>A model is fitted to a record of at least 3 samples.</source>
        <translation>拟合模型的记录至少需要 3 个采样点。</translation>
    </message>
    <message>
        <source>The record has no force or no displacement to fit.</source>
        <translation>记录中没有可拟合的力或位移。</translation>
    </message>
    <message>
        <source>Sample %1 of the record is not a number.</source>
        <translation>记录的第 %1 个采样点不是数字。</translation>
    </message>
    <message>
        <source>Tcl files (*.tcl);;Python files (*.py)</source>
        <translation>Tcl 文件 (*.tcl);;Python 文件 (*.py)</translation>
    </message>
    <message>
        <source>Compare Specimens</source>
        <translation>比较试件</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>Skeleton curves</source>
        <translation>骨架曲线</translation>
    </message>
    <message>
        <source>Normalisation</source>
        <translation>归一化</translation>
    </message>
    <message>
        <source>Yield method</source>
        <translation>屈服点方法</translation>
    </message>
    <message>
        <source>Drift</source>
        <translation>位移角</translation>
    </message>
    <message>
        <source>Save Chart…</source>
        <translation>保存图表…</translation>
    </message>
    <message>
        <source>(no group)</source>
        <translation>（未分组）</translation>
    </message>
    <message>
        <source>Mean skeleton</source>
        <translation>平均骨架曲线</translation>
    </message>
    <message>
        <source>Mean skeleton ± one standard deviation</source>
        <translation>平均骨架曲线 ± 一倍标准差</translation>
    </message>
    <message>
        <source>Mean ± one standard deviation</source>
        <translation>平均值 ± 一倍标准差</translation>
    </message>
    <message>
        <source>F/Fmax against Δ/Δ(Fmax)</source>
        <translation>F/Fmax 对 Δ/Δ(Fmax)</translation>
    </message>
    <message>
        <source>F/Fy against Δ/Δy</source>
        <translation>F/Fy 对 Δ/Δy</translation>
    </message>
    <message>
        <source>Drift Δ/H (%)</source>
        <translation>位移角 Δ/H (%)</translation>
    </message>
    <message>
        <source>Evaluating the specimens</source>
        <translation>正在评估各试件</translation>
    </message>
    <message>
        <source>Open or start a project first; the specimens of its groups are compared.</source>
        <translation>请先打开或新建项目；比较的是项目各组的试件。</translation>
    </message>
    <message>
        <source>The project has no specimen to compare.</source>
        <translation>项目中没有可比较的试件。</translation>
    </message>
    <message>
        <source>Not drawn: %1.</source>
        <translation>未绘制：%1。</translation>
    </message>
    <message>
        <source>The chosen specimen's height, for drift (displacement / height).</source>
        <translation>所选试件的高度，用于计算位移角（位移 / 高度）。</translation>
    </message>
    <message>
        <source>Evaluate every specimen of the project and compare the specimens of each group.</source>
        <translation>评估项目中的每个试件，并比较各组的试件。</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Output units</source>
        <translation>输出单位</translation>
    </message>
    <message>
        <source>Drift height</source>
        <translation>位移角计算高度</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>单位</translation>
    </message>
    <message>
        <source>First values</source>
        <translation>前几个值</translation>
    </message>
    <message>
        <source>Zero</source>
        <translation>归零</translation>
    </message>
    <message>
        <source>Factor</source>
        <translation>系数</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>偏移</translation>
    </message>
    <message>
        <source>as recorded</source>
        <translation>按记录</translation>
    </message>
    <message>
        <source>The record's channels: the name an expression writes, the unit, the first values; zeroing subtracts the mean of the first samples, then value * factor + offset.</source>
        <translation>记录的各通道：表达式中使用的名称、单位、前几个值；归零减去前若干个样本的平均值，然后取 值 × 系数 + 偏移。</translation>
    </message>
    <message>
        <source>The displacement as an expression over the channels' names (a difference of two transducers, a mean); empty: the displacement column.</source>
        <translation>以通道名称写成的位移表达式（两个位移计之差、平均值）；留空：使用位移列。</translation>
    </message>
    <message>
        <source>The force as an expression over the channels' names (a sum of two load cells, a scaled signal); empty: the force column.</source>
        <translation>以通道名称写成的力表达式（两个力传感器之和、缩放后的信号）；留空：使用力列。</translation>
    </message>
    <message>
        <source>The length unit of the displacement; empty: as recorded.</source>
        <translation>位移的长度单位；留空：按记录。</translation>
    </message>
    <message>
        <source>The unit of the force; empty: as recorded.</source>
        <translation>力的单位；留空：按记录。</translation>
    </message>
    <message>
        <source>Shows the displacement as a drift in % of this height (in the displacement's unit).</source>
        <translation>将位移表示为相对于此高度（位移单位）的位移角（%）。</translation>
    </message>
    <message>
        <source>Displacement (%1)</source>
        <translation>位移 (%1)</translation>
    </message>
    <message>
        <source>Force (%1)</source>
        <translation>力 (%1)</translation>
    </message>
    <message>
        <source>Drift (%1)</source>
        <translation>位移角 (%1)</translation>
    </message>
    <message>
        <source>Displacement (%1), Force (%2)</source>
        <translation>位移 (%1)，力 (%2)</translation>
    </message>
    <message>
        <source>Drift (%1), Force (%2)</source>
        <translation>位移角 (%1)，力 (%2)</translation>
    </message>
    <message>
        <source>Max Disp 1 (%1)</source>
        <translation>最大位移 1 (%1)</translation>
    </message>
    <message>
        <source>Max Disp 2 (%1)</source>
        <translation>最大位移 2 (%1)</translation>
    </message>
    <message>
        <source>Max Disp Force 1 (%1)</source>
        <translation>最大位移 1 处的力 (%1)</translation>
    </message>
    <message>
        <source>Max Disp Force 2 (%1)</source>
        <translation>最大位移 2 处的力 (%1)</translation>
    </message>
    <message>
        <source>Disp = %1 %2   Force = %3 %4</source>
        <translation>位移 = %1 %2   力 = %3 %4</translation>
    </message>
    <message>
        <source>%1 rows; %2; %3</source>
        <translation>%1 行；%2；%3</translation>
    </message>
    <message>
        <source>%1 rows; %2; %3; %4</source>
        <translation>%1 行；%2；%3；%4</translation>
    </message>
    <message>
        <source>%1 rows with a gap were left out, the first at line %2.</source>
        <translation>有 %1 行缺值被略去，第一处在第 %2 行。</translation>
    </message>
    <message>
        <source>1 row with a gap was left out, the first at line %1.</source>
        <translation>有 1 行缺值被略去，在第 %1 行。</translation>
    </message>
    <message>
        <source>The displacement expression '%1': no channel is named '%2'; the channels are %3.</source>
        <translation>位移表达式“%1”：没有名为“%2”的通道；现有通道为 %3。</translation>
    </message>
    <message>
        <source>The force expression '%1': no channel is named '%2'; the channels are %3.</source>
        <translation>力表达式“%1”：没有名为“%2”的通道；现有通道为 %3。</translation>
    </message>
    <message>
        <source>The unit '%1' of channel %2 is not known.</source>
        <translation>通道 %2 的单位“%1”无法识别。</translation>
    </message>
    <message>
        <source>The drift height must be a number above 0.</source>
        <translation>位移角计算高度必须是大于 0 的数。</translation>
    </message>
    <message>
        <source>Loading History</source>
        <translation>加载历程</translation>
    </message>
    <message>
        <source>Protocol:</source>
        <translation>加载制度：</translation>
    </message>
    <message>
        <source>Click a cycle to choose its loop; drag over the history to analyse that range only.</source>
        <translation>单击一个循环选择该滞回环；在历程上拖动只分析该区段。</translation>
    </message>
    <message>
        <source>Whole Record</source>
        <translation>整个记录</translation>
    </message>
    <message>
        <source>Read the whole record again, from the first line it was read from before a range was chosen.</source>
        <translation>重新读入整个记录，从选择区段之前的起始行开始。</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>采样点</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Time (%1)</source>
        <translation>时间 (%1)</translation>
    </message>
    <message>
        <source>Planned amplitude</source>
        <translation>计划幅值</translation>
    </message>
    <message>
        <source>Planned amplitude (negative)</source>
        <translation>计划幅值（负向）</translation>
    </message>
    <message>
        <source>Chosen loop</source>
        <translation>所选滞回环</translation>
    </message>
    <message>
        <source>analyse the loops to see the levels</source>
        <translation>分析滞回环后显示加载级</translation>
    </message>
    <message>
        <source>not recognised (measured levels)</source>
        <translation>未识别（按实测加载级）</translation>
    </message>
    <message>
        <source>Lines %1 to %2</source>
        <translation>第 %1 行至第 %2 行</translation>
    </message>
    <message>
        <source>Last Line must not come before First Line!</source>
        <translation>结束行不能在起始行之前！</translation>
    </message>
    <message>
        <source>Last Line must large than 0!</source>
        <translation>结束行必须大于0！</translation>
    </message>
    <message>
        <source>The displacement against time with the levels and the planned amplitudes; click a cycle to choose its loop, drag to choose the range of lines to analyse.</source>
        <translation>位移随时间的变化，附加载级与计划幅值；单击一个循环选择其滞回环，拖动选择要分析的数据行区段。</translation>
    </message>
    <message>
        <source>Point1 and Point2 drawn like the other series, as markers only, not joined by lines, or left out of the sheet and the chart together with every series without points.</source>
        <translation>Point1 和 Point2 与其他系列画法相同，或只画标记、不连线，或与所有无数据点的系列一起不输出到工作表和图表。</translation>
    </message>
    <message>
        <source>Set a chart for reports: straight lines, the loop as a thin line underneath, no point series, the series named for a report in the window's colours, the window's axis titles with units, round axis limits, axes at their minimum, legend below, 480 x 300 pt right of the data, single output. Press Update to keep it.</source>
        <translation>设为适合报告的图表：直线、滞回曲线为下层细线、不输出点系列、系列采用报告名称和本窗口的颜色、采用本窗口带单位的坐标轴标题、坐标轴范围取整、坐标轴交于最小值、图例在下方、480 x 300 磅置于数据右侧、每个系列单独输出。按“更新”保存。</translation>
    </message>
    <message>
        <source>%1 rows; %2; %3; %4; %5</source>
        <translation>%1 行；%2；%3；%4；%5</translation>
    </message>
    <message>
        <source>1 numeric line above line %1 was not read</source>
        <translation>第 %1 行以上有 1 行数值未读取</translation>
    </message>
    <message>
        <source>%1 numeric lines above line %2 were not read</source>
        <translation>第 %2 行以上有 %1 行数值未读取</translation>
    </message>
    <message>
        <source>Line %1 has no field %2: Import Options reads the displacement from column %3 and the force from column %4.</source>
        <translation>第 %1 行没有第 %2 个字段：导入选项从第 %3 列读取位移、从第 %4 列读取力。</translation>
    </message>
    <message>
        <source>Left Out</source>
        <translation>不输出</translation>
    </message>
    <message>
        <source>Series Names</source>
        <translation>系列名称</translation>
    </message>
    <message>
        <source>For a Report</source>
        <translation>用于报告</translation>
    </message>
    <message>
        <source>Axis Limits</source>
        <translation>坐标轴范围</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Round, from the Data</source>
        <translation>按数据取整</translation>
    </message>
    <message>
        <source>Names of the series in the sheet and the legend: the chart's own titles, or names for a report in English words, the same in every language.</source>
        <translation>工作表和图例中的系列名称：图表自身的标题，或报告用的英文名称，各语言相同。</translation>
    </message>
    <message>
        <source>Ends of both axes: chosen by the spreadsheet program, or round numbers just beyond the smallest and the largest value of the series.</source>
        <translation>两个坐标轴的端点：由电子表格程序决定，或取刚好超出系列最小值和最大值的整数。</translation>
    </message>
    <message>
        <source>Test Report…</source>
        <translation>试验报告…</translation>
    </message>
    <message>
        <source>Save a PDF test report of the record: the settings, the loops, the skeleton with the yield construction, the loading history and the evaluation tables.</source>
        <translation>将记录的试验报告保存为 PDF：设置、滞回环、带屈服点作图的骨架曲线、加载历程和评价表。</translation>
    </message>
    <message>
        <source>There is no analysed record to report: import and analyse one first.</source>
        <translation>没有可报告的已分析记录：请先导入并分析记录。</translation>
    </message>
    <message>
        <source>Saved the test report to %1.</source>
        <translation>试验报告已保存到 %1。</translation>
    </message>
    <message>
        <source>Test Report</source>
        <translation>试验报告</translation>
    </message>
    <message>
        <source>Specimen</source>
        <translation>试件</translation>
    </message>
    <message>
        <source>Record file</source>
        <translation>记录文件</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>修改时间</translation>
    </message>
    <message>
        <source>First line</source>
        <translation>起始行</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>步长</translation>
    </message>
    <message>
        <source>Last line</source>
        <translation>末行</translation>
    </message>
    <message>
        <source>Displacement channel</source>
        <translation>位移通道</translation>
    </message>
    <message>
        <source>Force channel</source>
        <translation>力通道</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>列</translation>
    </message>
    <message>
        <source>Zeroed at the first sample</source>
        <translation>以第一个采样点归零</translation>
    </message>
    <message>
        <source>Noise band</source>
        <translation>噪声带</translation>
    </message>
    <message>
        <source>Loop direction</source>
        <translation>加载方向</translation>
    </message>
    <message>
        <source>Skeleton method</source>
        <translation>骨架曲线方法</translation>
    </message>
    <message>
        <source>Peak points</source>
        <translation>峰值点</translation>
    </message>
    <message>
        <source>Ultimate displacement cap</source>
        <translation>极限位移上限</translation>
    </message>
    <message>
        <source>Loading protocol</source>
        <translation>加载制度</translation>
    </message>
    <message>
        <source>not recognised</source>
        <translation>未识别</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>程序</translation>
    </message>
    <message>
        <source>Report date</source>
        <translation>报告日期</translation>
    </message>
    <message>
        <source>Hysteresis loops</source>
        <translation>滞回曲线</translation>
    </message>
    <message>
        <source>Skeleton curve and yield constructions</source>
        <translation>骨架曲线与屈服点作图</translation>
    </message>
    <message>
        <source>Loading history</source>
        <translation>加载历程</translation>
    </message>
    <message>
        <source>Skeleton</source>
        <translation>骨架曲线</translation>
    </message>
    <message>
        <source>Loading protocol levels</source>
        <translation>加载制度各级</translation>
    </message>
    <message>
        <source>part %1 of %2</source>
        <translation>第 %1 部分，共 %2 部分</translation>
    </message>
    <message>
        <source>continued</source>
        <translation>续</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>第 %1 页</translation>
    </message>
    <message>
        <source>no</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Point of the record</source>
        <translation>记录点</translation>
    </message>
    <message>
        <source>Positive skeleton</source>
        <translation>正向骨架曲线</translation>
    </message>
    <message>
        <source>Negative skeleton</source>
        <translation>负向骨架曲线</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>峰值点</translation>
    </message>
    <message>
        <source>Ultimate</source>
        <translation>极限点</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>平均</translation>
    </message>
    <message>
        <source>Series Report</source>
        <translation>系列试验报告</translation>
    </message>
    <message>
        <source>Comparison table</source>
        <translation>对比表</translation>
    </message>
    <message>
        <source>Key results</source>
        <translation>主要结果</translation>
    </message>
    <message>
        <source>Skeleton curves of the specimens</source>
        <translation>各试件骨架曲线</translation>
    </message>
    <message>
        <source>No characteristic value (%1): %2</source>
        <translation>无特征值（%1）：%2</translation>
    </message>
    <message>
        <source>Project file</source>
        <translation>项目文件</translation>
    </message>
    <message>
        <source>Quantity</source>
        <translation>物理量</translation>
    </message>
    <message>
        <source>no values</source>
        <translation>无数值</translation>
    </message>
    <message>
        <source>fewer than 3 values</source>
        <translation>少于 3 个数值</translation>
    </message>
    <message>
        <source>a value is not positive</source>
        <translation>有数值不为正</translation>
    </message>
    <message>
        <source>Save a PDF test report of the series: the comparison table with its statistics, the overlay and mean skeleton charts, and a page for each specimen.</source>
        <translation>将系列试验报告保存为 PDF：含统计值的对比表、骨架曲线叠加图与平均骨架曲线图，以及每个试件一页。</translation>
    </message>
</context>
</TS>
