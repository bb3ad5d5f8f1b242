<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>QLNX</name>
    <message>
        <source>Import Parameters</source>
        <translation>Import Parameters</translation>
    </message>
    <message>
        <source>F-D Curve Begin Line</source>
        <translation>First Data Line</translation>
    </message>
    <message>
        <source>Data Import Step</source>
        <translation>Import Step</translation>
    </message>
    <message>
        <source>Loop Direction</source>
        <translation>Loop Direction</translation>
    </message>
    <message>
        <source>Positive</source>
        <translation>Positive</translation>
    </message>
    <message>
        <source>Negative</source>
        <translation>Negative</translation>
    </message>
    <message>
        <source>Noise Band</source>
        <translation>Noise Band</translation>
    </message>
    <message>
        <source>Import Loop</source>
        <translation>Import Record</translation>
    </message>
    <message>
        <source>ReImport</source>
        <translation>Import Again</translation>
    </message>
    <message>
        <source>Analyze Loop</source>
        <translation>Analyse Loops</translation>
    </message>
    <message>
        <source>Loop Curve</source>
        <translation>Loops</translation>
    </message>
    <message>
        <source>Loop Count</source>
        <translation>Loop Count</translation>
    </message>
    <message>
        <source>Loop No.</source>
        <translation>Loop No.</translation>
    </message>
    <message>
        <source>Max Disp 1</source>
        <translation>Max. Disp. 1</translation>
    </message>
    <message>
        <source>Max Disp 2</source>
        <translation>Max. Disp. 2</translation>
    </message>
    <message>
        <source>Max Disp Force 1</source>
        <translation>Force at Max. Disp. 1</translation>
    </message>
    <message>
        <source>Max Disp Force 2</source>
        <translation>Force at Max. Disp. 2</translation>
    </message>
    <message>
        <source>Vorlix Curve</source>
        <translation>Skeleton Curve</translation>
    </message>
    <message>
        <source>每一圈力最大点     </source>
        <translation>Max. force point of each loop</translation>
    </message>
    <message>
        <source>每一圈位移最大点       </source>
        <translation>Max. displacement point of each loop</translation>
    </message>
    <message>
        <source>每一圈力最大点+位移最大点       </source>
        <translation>Max. force + max. displacement points</translation>
    </message>
    <message>
        <source>每一圈包络点(力最大点为分界)  </source>
        <translation>Envelope, split at max. force</translation>
    </message>
    <message>
        <source>每一圈包络点(位移最大点为分界)  </source>
        <translation>Envelope, split at max. disp.</translation>
    </message>
    <message>
        <source>SB分解法(特别适合带强化的滞回曲线)</source>
        <translation>SB decomposition (for hardening)</translation>
    </message>
    <message>
        <source>每级首圈峰值点(包络)</source>
        <translation>First-cycle envelope of the levels</translation>
    </message>
    <message>
        <source>每一圈力最大点</source>
        <translation>Max. force point of each loop</translation>
    </message>
    <message>
        <source>每一圈位移最大点</source>
        <translation>Max. displacement point of each loop</translation>
    </message>
    <message>
        <source>每一圈力最大点+位移最大点</source>
        <translation>Max. force + max. displacement points</translation>
    </message>
    <message>
        <source>每一圈包络点(力最大点为分界)</source>
        <translation>Envelope, split at max. force</translation>
    </message>
    <message>
        <source>每一圈包络点(位移最大点为分界)</source>
        <translation>Envelope, split at max. disp.</translation>
    </message>
    <message>
        <source>控制位移递增</source>
        <translation>Keep displacement increasing</translation>
    </message>
    <message>
        <source>提取骨架曲线</source>
        <translation>Extract Skeleton Curve</translation>
    </message>
    <message>
        <source>指定调整的位移范围</source>
        <translation>Displacement range to thin</translation>
    </message>
    <message>
        <source>指定调整的位移容差</source>
        <translation>Displacement tolerance</translation>
    </message>
    <message>
        <source>删除指定区域容差范围的点</source>
        <translation>Delete points within range and tolerance</translation>
    </message>
    <message>
        <source>保存结果</source>
        <translation>Save Results</translation>
    </message>
    <message>
        <source>输出EXCEL</source>
        <translation>Export to Workbook</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Donation (捐助)</source>
        <translation>Donation</translation>
    </message>
    <message>
        <source>Donation(捐助)</source>
        <translation>Donation</translation>
    </message>
    <message>
        <source>操作类型</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>拖动节点</source>
        <translation>Drag node</translation>
    </message>
    <message>
        <source>增加节点</source>
        <translation>Add node</translation>
    </message>
    <message>
        <source>删除节点</source>
        <translation>Delete node</translation>
    </message>
    <message>
        <source>操作对象</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>Vorlix Postive</source>
        <translation>Skeleton, positive branch</translation>
    </message>
    <message>
        <source>Vorlix Negative</source>
        <translation>Skeleton, negative branch</translation>
    </message>
    <message>
        <source>LOOP</source>
        <translation>Loop curve</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Hello! Import a test record to begin.</source>
        <translation>Hello! Import a test record to begin.</translation>
    </message>
    <message>
        <source>QLNX home page</source>
        <translation>QLNX home page</translation>
    </message>
    <message>
        <source>Reset zoom</source>
        <translation>Reset zoom</translation>
    </message>
    <message>
        <source>Save chart as image…</source>
        <translation>Save chart as image…</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Recent Records</source>
        <translation>Recent Records</translation>
    </message>
    <message>
        <source>Export Modified Loop</source>
        <translation>Save Working Curve</translation>
    </message>
    <message>
        <source>Export Analysis Results</source>
        <translation>Save Loop Extremes</translation>
    </message>
    <message>
        <source>Export Skeleton Curve…</source>
        <translation>Save Skeleton Curve…</translation>
    </message>
    <message>
        <source>Export Draw1 2 Excel</source>
        <translation>Export Chart to Workbook</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>View</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>As designed</source>
        <translation>As designed</translation>
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
        <translation>Analysis</translation>
    </message>
    <message>
        <source>Extract Skeleton Curve</source>
        <translation>Extract Skeleton Curve</translation>
    </message>
    <message>
        <source>Test Evaluation</source>
        <translation>Test Evaluation</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Excel Export Options</source>
        <translation>Workbook Export Options</translation>
    </message>
    <message>
        <source>Import Options…</source>
        <translation>Import Options…</translation>
    </message>
    <message>
        <source>How to use?</source>
        <translation>User Guide</translation>
    </message>
    <message>
        <source>Visit the QLNX web site</source>
        <translation>Visit the QLNX web site</translation>
    </message>
    <message>
        <source>Line of the file where the force-displacement data begin (1 = first line); lines above it are skipped. A whole number of 1 or more.</source>
        <translation>Line of the file where the force-displacement data begin (1 = first line); lines above it are skipped. A whole number of 1 or more.</translation>
    </message>
    <message>
        <source>Read every n-th data line (1 = every line). A whole number of 1 or more; larger steps thin long records.</source>
        <translation>Read every n-th data line (1 = every line). A whole number of 1 or more; larger steps thin long records.</translation>
    </message>
    <message>
        <source>Direction of the first half-cycle of every loop: Positive when the test loads towards positive displacement first. Decides which half-cycle feeds which skeleton branch.</source>
        <translation>Direction of the first half-cycle of every loop: Positive when the test loads towards positive displacement first. Decides which half-cycle feeds which skeleton branch.</translation>
    </message>
    <message>
        <source>Half-width of the band around the first displacement that a passage must cross to start a half-cycle, in the record's displacement unit (0: every passage).</source>
        <translation>Half-width of the band around the first displacement that a passage must cross to start a half-cycle, in the record's displacement unit (0: every passage).</translation>
    </message>
    <message>
        <source>Only a passage through the first displacement that takes the record from more than this far on one side to more than this far on the other starts a half-cycle. 0 splits at every passage. In the units of the record's displacement.</source>
        <translation>Only a passage through the first displacement that takes the record from more than this far on one side to more than this far on the other starts a half-cycle. 0 splits at every passage. In the units of the record's displacement.</translation>
    </message>
    <message>
        <source>Open a force-displacement record (text or CSV: displacement, force per line) and draw it.</source>
        <translation>Open a force-displacement record (text or CSV: displacement, force per line) and draw it.</translation>
    </message>
    <message>
        <source>Read the same file again with the current Begin Line and Import Step, dropping every edit.</source>
        <translation>Read the same file again with the current Begin Line and Import Step, dropping every edit.</translation>
    </message>
    <message>
        <source>Split the record into loops at its passages through the first displacement and list them under Loop No.</source>
        <translation>Split the record into loops at its passages through the first displacement and list them under Loop No.</translation>
    </message>
    <message>
        <source>Number of loops the analysis found.</source>
        <translation>Number of loops the analysis found.</translation>
    </message>
    <message>
        <source>Loop to show highlighted on the chart, with its extremes below.</source>
        <translation>Loop to show highlighted on the chart, with its extremes below.</translation>
    </message>
    <message>
        <source>Largest displacement of the chosen loop's first half-cycle, in the record's displacement unit.</source>
        <translation>Largest displacement of the chosen loop's first half-cycle, in the record's displacement unit.</translation>
    </message>
    <message>
        <source>Largest displacement of the chosen loop's second half-cycle, in the record's displacement unit.</source>
        <translation>Largest displacement of the chosen loop's second half-cycle, in the record's displacement unit.</translation>
    </message>
    <message>
        <source>Force at the first half-cycle's largest displacement, in the record's force unit.</source>
        <translation>Force at the first half-cycle's largest displacement, in the record's force unit.</translation>
    </message>
    <message>
        <source>Force at the second half-cycle's largest displacement, in the record's force unit.</source>
        <translation>Force at the second half-cycle's largest displacement, in the record's force unit.</translation>
    </message>
    <message>
        <source>Maximum force: takes from each half-cycle of every loop its point of largest force (least force on the negative side).</source>
        <translation>Maximum force: takes from each half-cycle of every loop its point of largest force (least force on the negative side).</translation>
    </message>
    <message>
        <source>Maximum displacement: takes from each half-cycle of every loop its point of largest displacement, with the force there.</source>
        <translation>Maximum displacement: takes from each half-cycle of every loop its point of largest displacement, with the force there.</translation>
    </message>
    <message>
        <source>Maximum force and maximum displacement: takes both points of each half-cycle, in the order they occur.</source>
        <translation>Maximum force and maximum displacement: takes both points of each half-cycle, in the order they occur.</translation>
    </message>
    <message>
        <source>Envelope to the maximum force: takes every loading point of each half-cycle that goes beyond the skeleton so far, up to the half-cycle's peak force.</source>
        <translation>Envelope to the maximum force: takes every loading point of each half-cycle that goes beyond the skeleton so far, up to the half-cycle's peak force.</translation>
    </message>
    <message>
        <source>Envelope to the maximum displacement: takes every loading point of each half-cycle that goes beyond the skeleton so far, up to its largest displacement.</source>
        <translation>Envelope to the maximum displacement: takes every loading point of each half-cycle that goes beyond the skeleton so far, up to its largest displacement.</translation>
    </message>
    <message>
        <source>SB decomposition: joins the parts of each loading path that exceed the force reached so far, shifted to continue the skeleton; suited to hardening loops.</source>
        <translation>SB decomposition: joins the parts of each loading path that exceed the force reached so far, shifted to continue the skeleton; suited to hardening loops.</translation>
    </message>
    <message>
        <source>First-cycle envelope: takes the peak displacement points of the first cycle of each loading level (or of the cycle chosen for the stabilised envelope), as the cyclic test standards build the envelope.</source>
        <translation>First-cycle envelope: takes the peak displacement points of the first cycle of each loading level (or of the cycle chosen for the stabilised envelope), as the cyclic test standards build the envelope.</translation>
    </message>
    <message>
        <source>Keep only skeleton points that lie further out than the last point of their branch, so the displacement grows along each branch.</source>
        <translation>Keep only skeleton points that lie further out than the last point of their branch, so the displacement grows along each branch.</translation>
    </message>
    <message>
        <source>Build the positive and negative skeleton curves from the analysed loops with the chosen method.</source>
        <translation>Build the positive and negative skeleton curves from the analysed loops with the chosen method.</translation>
    </message>
    <message>
        <source>Displacement range (from, to) in which points of the skeleton curves are thinned, in the record's displacement unit.</source>
        <translation>Displacement range (from, to) in which points of the skeleton curves are thinned, in the record's displacement unit.</translation>
    </message>
    <message>
        <source>Tolerance for thinning: a point closer than this to its neighbour within the range is deleted, in the record's displacement unit.</source>
        <translation>Tolerance for thinning: a point closer than this to its neighbour within the range is deleted, in the record's displacement unit.</translation>
    </message>
    <message>
        <source>Delete the skeleton points inside the displacement range that lie within the tolerance of their neighbour.</source>
        <translation>Delete the skeleton points inside the displacement range that lie within the tolerance of their neighbour.</translation>
    </message>
    <message>
        <source>Save the extremes of every loop to a text or CSV file.</source>
        <translation>Save the extremes of every loop to a text or CSV file.</translation>
    </message>
    <message>
        <source>Export every series of the chart to a new workbook with an XY chart over the data (see Options &gt; Excel Export Options).</source>
        <translation>Export every series of the chart to a new workbook with an XY chart over the data (see Options &gt; Workbook Export Options).</translation>
    </message>
    <message>
        <source>Save the working curve, with its edits, as displacement and force per line.</source>
        <translation>Save the working curve, with its edits, as displacement and force per line.</translation>
    </message>
    <message>
        <source>Save both skeleton branches to a text or CSV file.</source>
        <translation>Save both skeleton branches to a text or CSV file.</translation>
    </message>
    <message>
        <source>The last records opened; each is read again with the first line and step it was read with.</source>
        <translation>The last records opened; each is read again with the first line and step it was read with.</translation>
    </message>
    <message>
        <source>Size, lines, markers, axes, legend and layout of the workbook chart; "Report-ready" sets a chart for reports.</source>
        <translation>Size, lines, markers, axes, legend and layout of the workbook chart; "Report-ready" sets a chart for reports.</translation>
    </message>
    <message>
        <source>Take back the last edit of the curves on the chart: a dragged, added or deleted point, or a thinning. Import, analysis and extraction start anew; an edited skeleton curve they replace comes back with one Undo.</source>
        <translation>Take back the last edit of the curves on the chart: a dragged, added or deleted point, or a thinning. Import, analysis and extraction start anew; an edited skeleton curve they replace comes back with one Undo.</translation>
    </message>
    <message>
        <source>Make the edit taken back last again.</source>
        <translation>Make the edit taken back last again.</translation>
    </message>
    <message>
        <source>Energy, damping, degradation, yield and ductility of the test, with the constructions on the chart.</source>
        <translation>Energy, damping, degradation, yield and ductility of the test, with the constructions on the chart.</translation>
    </message>
    <message>
        <source>Decimal separator, the displacement and force columns, and a preview of the rows as they will be read.</source>
        <translation>Decimal separator, the displacement and force columns, and a preview of the rows as they will be read.</translation>
    </message>
    <message>
        <source>Version, licence and authors of QLNX.</source>
        <translation>Version, licence and authors of QLNX.</translation>
    </message>
    <message>
        <source>How to support the development of QLNX.</source>
        <translation>How to support the development of QLNX.</translation>
    </message>
    <message>
        <source>Open the user guide.</source>
        <translation>Open the user guide.</translation>
    </message>
    <message>
        <source>Open the QLNX home page in the web browser.</source>
        <translation>Open the QLNX home page in the web browser.</translation>
    </message>
    <message>
        <source>Full name of the imported file.</source>
        <translation>Full name of the imported file.</translation>
    </message>
    <message>
        <source>Apply what the message suggests.</source>
        <translation>Apply what the message suggests.</translation>
    </message>
    <message>
        <source>What a click on the chart does: drag a node, add a node (double click) or delete a node (double click); None leaves the chart alone.</source>
        <translation>What a click on the chart does: drag a node, add a node (double click) or delete a node (double click); None leaves the chart alone.</translation>
    </message>
    <message>
        <source>Curve that the chart editing acts on: the positive or negative skeleton branch, or the loop curve.</source>
        <translation>Curve that the chart editing acts on: the positive or negative skeleton branch, or the loop curve.</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>Ultimate ratio</source>
        <translation>Ultimate ratio</translation>
    </message>
    <message>
        <source>Displacement</source>
        <translation>Displacement</translation>
    </message>
    <message>
        <source>Force</source>
        <translation>Force</translation>
    </message>
    <message>
        <source>Peak point</source>
        <translation>Peak point</translation>
    </message>
    <message>
        <source>Level tolerance</source>
        <translation>Level tolerance</translation>
    </message>
    <message>
        <source>GeneralYield</source>
        <translation>General yield moment</translation>
    </message>
    <message>
        <source>EqualEnergy</source>
        <translation>Equal energy</translation>
    </message>
    <message>
        <source>EqualEnergyIntersection</source>
        <translation>Equal energy, intersection</translation>
    </message>
    <message>
        <source>Park</source>
        <translation>Park</translation>
    </message>
    <message>
        <source>FarthestPoint</source>
        <translation>Farthest point</translation>
    </message>
    <message>
        <source>EEEP</source>
        <translation>EEEP</translation>
    </message>
    <message>
        <source>EN12512</source>
        <translation>EN 12512</translation>
    </message>
    <message>
        <source>Construction</source>
        <translation>Construction</translation>
    </message>
    <message>
        <source>Side</source>
        <translation>Side</translation>
    </message>
    <message>
        <source>Energy</source>
        <translation>Energy</translation>
    </message>
    <message>
        <source>Damping</source>
        <translation>Damping</translation>
    </message>
    <message>
        <source>Secant Stiffness</source>
        <translation>Secant Stiffness</translation>
    </message>
    <message>
        <source>Strength Degradation</source>
        <translation>Strength Degradation</translation>
    </message>
    <message>
        <source>Loops</source>
        <translation>Loops</translation>
    </message>
    <message>
        <source>Levels</source>
        <translation>Levels</translation>
    </message>
    <message>
        <source>Yield Points</source>
        <translation>Yield Points</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Save…</source>
        <translation>Save…</translation>
    </message>
    <message>
        <source>Export to Workbook…</source>
        <translation>Export to Workbook…</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Energy per loop</source>
        <translation>Energy per loop</translation>
    </message>
    <message>
        <source>Cumulative energy</source>
        <translation>Cumulative energy</translation>
    </message>
    <message>
        <source>Equivalent viscous damping he</source>
        <translation>Equivalent viscous damping he</translation>
    </message>
    <message>
        <source>Amplitude</source>
        <translation>Amplitude</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Strength to first cycle</source>
        <translation>Strength to first cycle</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Loop</translation>
    </message>
    <message>
        <source>Export Options</source>
        <translation>Workbook Export Options</translation>
    </message>
    <message>
        <source>Serie</source>
        <translation>Series</translation>
    </message>
    <message>
        <source>Line Weight</source>
        <translation>Line Weight</translation>
    </message>
    <message>
        <source>Line Color</source>
        <translation>Line Colour</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Same as Plot Panel</source>
        <translation>Same as the Chart</translation>
    </message>
    <message>
        <source>Show Maker</source>
        <translation>Show Markers</translation>
    </message>
    <message>
        <source>Maker Style</source>
        <translation>Marker Style</translation>
    </message>
    <message>
        <source>Maker Size</source>
        <translation>Marker Size</translation>
    </message>
    <message>
        <source>Maker Color</source>
        <translation>Marker Colour</translation>
    </message>
    <message>
        <source>Axis</source>
        <translation>Axes</translation>
    </message>
    <message>
        <source>Show Axis Title</source>
        <translation>Show Axis Titles</translation>
    </message>
    <message>
        <source>X Axis Title</source>
        <translation>X Axis Title</translation>
    </message>
    <message>
        <source>Y Axis Title</source>
        <translation>Y Axis Title</translation>
    </message>
    <message>
        <source>Font Size</source>
        <translation>Font Size</translation>
    </message>
    <message>
        <source>Show Axis Line</source>
        <translation>Show Axis Lines</translation>
    </message>
    <message>
        <source>X Axis Position</source>
        <translation>Y Axis Crosses X At</translation>
    </message>
    <message>
        <source>Y Axis Position</source>
        <translation>X Axis Crosses Y At</translation>
    </message>
    <message>
        <source>Ticklabel Font Size</source>
        <translation>Tick Label Font Size</translation>
    </message>
    <message>
        <source>Lengend</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>Show Lengend</source>
        <translation>Show Legend</translation>
    </message>
    <message>
        <source>IncludeInLayout</source>
        <translation>Legend Beside the Plot</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>Show Graph Title</source>
        <translation>Show Chart Title</translation>
    </message>
    <message>
        <source>Plot Area</source>
        <translation>Plot Area</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Show Plot Area Line</source>
        <translation>Show Plot Area Border</translation>
    </message>
    <message>
        <source>Export Mode</source>
        <translation>Export Mode</translation>
    </message>
    <message>
        <source>Single Output</source>
        <translation>Two Columns per Series</translation>
    </message>
    <message>
        <source>Combined Output</source>
        <translation>One Combined Table</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Line Type</source>
        <translation>Line Type</translation>
    </message>
    <message>
        <source>Smooth</source>
        <translation>Smooth</translation>
    </message>
    <message>
        <source>Straight</source>
        <translation>Straight</translation>
    </message>
    <message>
        <source>Series Order</source>
        <translation>Series Order</translation>
    </message>
    <message>
        <source>As in the Chart</source>
        <translation>As in the Chart</translation>
    </message>
    <message>
        <source>Loop Underneath</source>
        <translation>Loop Underneath</translation>
    </message>
    <message>
        <source>Point Series</source>
        <translation>Point Series</translation>
    </message>
    <message>
        <source>As Others</source>
        <translation>As Others</translation>
    </message>
    <message>
        <source>Markers Only</source>
        <translation>Markers Only</translation>
    </message>
    <message>
        <source>Loop Series</source>
        <translation>Loop Series</translation>
    </message>
    <message>
        <source>Thin Line</source>
        <translation>Thin Line</translation>
    </message>
    <message>
        <source>Legend</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>Axes Cross</source>
        <translation>Axes Cross</translation>
    </message>
    <message>
        <source>At Position</source>
        <translation>At Position</translation>
    </message>
    <message>
        <source>At Minimum</source>
        <translation>At Minimum</translation>
    </message>
    <message>
        <source>Placement</source>
        <translation>Placement</translation>
    </message>
    <message>
        <source>At C5</source>
        <translation>At Cell C5</translation>
    </message>
    <message>
        <source>Right of Data</source>
        <translation>Right of Data</translation>
    </message>
    <message>
        <source>Report-ready</source>
        <translation>Report-ready</translation>
    </message>
    <message>
        <source>Line weight of the chart's series, points (0 = thinnest).</source>
        <translation>Line weight of the chart's series, points (0 = thinnest).</translation>
    </message>
    <message>
        <source>Line colour: Auto lets the spreadsheet choose; Same as Plot Panel uses the colour of the series in this window.</source>
        <translation>Line colour: Auto lets the spreadsheet choose; Same as the Chart uses the colour of the series in this window.</translation>
    </message>
    <message>
        <source>Draw markers at the points of every series.</source>
        <translation>Draw markers at the points of every series.</translation>
    </message>
    <message>
        <source>Marker shape: 1 square, 2 diamond, 3 triangle, 4 x, 5 star, 6 short dash, 7 long dash, 8 circle, 9 plus.</source>
        <translation>Marker shape: 1 square, 2 diamond, 3 triangle, 4 x, 5 star, 6 short dash, 7 long dash, 8 circle, 9 plus.</translation>
    </message>
    <message>
        <source>Marker size, points (2 to 72).</source>
        <translation>Marker size, points (2 to 72).</translation>
    </message>
    <message>
        <source>Marker fill colour: Auto, or the colour of the series in this window.</source>
        <translation>Marker fill colour: Auto, or the colour of the series in this window.</translation>
    </message>
    <message>
        <source>Show the two axis titles below.</source>
        <translation>Show the two axis titles below.</translation>
    </message>
    <message>
        <source>Title of the X (displacement) axis.</source>
        <translation>Title of the X (displacement) axis.</translation>
    </message>
    <message>
        <source>Title of the Y (force) axis.</source>
        <translation>Title of the Y (force) axis.</translation>
    </message>
    <message>
        <source>Font size of both axis titles, points (1 to 409).</source>
        <translation>Font size of both axis titles, points (1 to 409).</translation>
    </message>
    <message>
        <source>Draw both axis lines.</source>
        <translation>Draw both axis lines.</translation>
    </message>
    <message>
        <source>X value where the Y axis crosses the X axis, truncated to a whole number; empty leaves it to the spreadsheet.</source>
        <translation>X value where the Y axis crosses the X axis, truncated to a whole number; empty leaves it to the spreadsheet.</translation>
    </message>
    <message>
        <source>Y value where the X axis crosses the Y axis, truncated to a whole number; empty leaves it to the spreadsheet.</source>
        <translation>Y value where the X axis crosses the Y axis, truncated to a whole number; empty leaves it to the spreadsheet.</translation>
    </message>
    <message>
        <source>Font size of the tick labels of both axes, points (1 to 409).</source>
        <translation>Font size of the tick labels of both axes, points (1 to 409).</translation>
    </message>
    <message>
        <source>Show the legend of the chart's series.</source>
        <translation>Show the legend of the chart's series.</translation>
    </message>
    <message>
        <source>Give the legend its own room beside the plot; unticked it lies over the plot.</source>
        <translation>Give the legend its own room beside the plot; unticked it lies over the plot.</translation>
    </message>
    <message>
        <source>Font size of the legend, points (1 to 409).</source>
        <translation>Font size of the legend, points (1 to 409).</translation>
    </message>
    <message>
        <source>Show the chart title below.</source>
        <translation>Show the chart title below.</translation>
    </message>
    <message>
        <source>Text of the chart title.</source>
        <translation>Text of the chart title.</translation>
    </message>
    <message>
        <source>Font size of the chart title, points (not sent: the title keeps the spreadsheet's size).</source>
        <translation>Font size of the chart title, points (not sent: the title keeps the spreadsheet's size).</translation>
    </message>
    <message>
        <source>Height of the chart, points (72 points = 1 inch).</source>
        <translation>Height of the chart, points (72 points = 1 inch).</translation>
    </message>
    <message>
        <source>Width of the chart, points (72 points = 1 inch).</source>
        <translation>Width of the chart, points (72 points = 1 inch).</translation>
    </message>
    <message>
        <source>Draw a border around the plot area.</source>
        <translation>Draw a border around the plot area.</translation>
    </message>
    <message>
        <source>Two columns (X, Y) per series of the chart, and one chart series each.</source>
        <translation>Two columns (X, Y) per series of the chart, and one chart series each.</translation>
    </message>
    <message>
        <source>All points in one table (series name, X, Y) and one chart series.</source>
        <translation>All points in one table (series name, X, Y) and one chart series.</translation>
    </message>
    <message>
        <source>Keep the settings shown, for the next export and the next start of QLNX.</source>
        <translation>Keep the settings shown, for the next export and the next start of QLNX.</translation>
    </message>
    <message>
        <source>Close the dialog; settings kept with Update stay.</source>
        <translation>Close the dialog; settings kept with Keep stay.</translation>
    </message>
    <message>
        <source>Smooth curves through the points, or straight lines between them (straight lines show the measured peaks as they are).</source>
        <translation>Smooth curves through the points, or straight lines between them (straight lines show the measured peaks as they are).</translation>
    </message>
    <message>
        <source>Order in which the series are drawn: as in the chart, or the loop first (under the skeleton and the chosen loop) and the point series last.</source>
        <translation>Order in which the series are drawn: as in the chart, or the loop first (under the skeleton and the chosen loop) and the point series last.</translation>
    </message>
    <message>
        <source>Point1 and Point2 drawn like the other series, or as markers only, not joined by lines.</source>
        <translation>Point1 and Point2 drawn like the other series, or as markers only, not joined by lines.</translation>
    </message>
    <message>
        <source>The loop series drawn like the other series, or as a thin line (0.25 pt) without markers.</source>
        <translation>The loop series drawn like the other series, or as a thin line (0.25 pt) without markers.</translation>
    </message>
    <message>
        <source>Place of the legend: at the right, or at the bottom below the plot.</source>
        <translation>Place of the legend: at the right, or at the bottom below the plot.</translation>
    </message>
    <message>
        <source>Where the axes cross: at the X and Y Axis Position, or each axis at the other's minimum (the lower left corner of the plot).</source>
        <translation>Where the axes cross: at the two crossing values above, or each axis at the other's minimum (the lower left corner of the plot).</translation>
    </message>
    <message>
        <source>Place of the chart: at cell C5 over the data, or to the right of the data columns.</source>
        <translation>Place of the chart: at cell C5 over the data, or to the right of the data columns.</translation>
    </message>
    <message>
        <source>Set a chart for reports: straight lines, points as markers, the loop as a thin line underneath, the window's axis titles, axes at their minimum, legend below, 480 x 300 pt right of the data, single output. Press Update to keep it.</source>
        <translation>Set a chart for reports: straight lines, points as markers, the loop as a thin line underneath, the window's axis titles, axes at their minimum, legend below, 480 x 300 pt right of the data, two columns per series. Press Keep to keep it.</translation>
    </message>
    <message>
        <source>Import Options</source>
        <translation>Import Options</translation>
    </message>
    <message>
        <source>Auto (decided from the first line read)</source>
        <translation>Auto (decided from the first line read)</translation>
    </message>
    <message>
        <source>Point (1.5)</source>
        <translation>Point (1.5)</translation>
    </message>
    <message>
        <source>Comma (1,5)</source>
        <translation>Comma (1,5)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Decimal separator</source>
        <translation>Decimal separator</translation>
    </message>
    <message>
        <source>Displacement column</source>
        <translation>Displacement column</translation>
    </message>
    <message>
        <source>Force column</source>
        <translation>Force column</translation>
    </message>
    <message>
        <source>Displacement read</source>
        <translation>Displacement read</translation>
    </message>
    <message>
        <source>Force read</source>
        <translation>Force read</translation>
    </message>
    <message>
        <source>The displacement and force columns must differ.</source>
        <translation>The displacement and force columns must differ.</translation>
    </message>
    <message>
        <source>Import a record to see here how its first lines are read.</source>
        <translation>Import a record to see here how its first lines are read.</translation>
    </message>
    <message>
        <source>comma-separated</source>
        <translation>comma-separated</translation>
    </message>
    <message>
        <source>semicolon-separated</source>
        <translation>semicolon-separated</translation>
    </message>
    <message>
        <source>tab-separated</source>
        <translation>tab-separated</translation>
    </message>
    <message>
        <source>blank-separated</source>
        <translation>blank-separated</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>QLNX</source>
        <translation>QLNX</translation>
    </message>
    <message>
        <source>Test records</source>
        <translation>Test records</translation>
    </message>
    <message>
        <source>Text Files</source>
        <translation>Text Files</translation>
    </message>
    <message>
        <source>CSV Files</source>
        <translation>CSV Files</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>All Files</translation>
    </message>
    <message>
        <source>Text files</source>
        <translation>Text files</translation>
    </message>
    <message>
        <source>CSV files</source>
        <translation>CSV files</translation>
    </message>
    <message>
        <source>PNG image</source>
        <translation>PNG image</translation>
    </message>
    <message>
        <source>PDF document</source>
        <translation>PDF document</translation>
    </message>
    <message>
        <source>Exporting the chart to a workbook</source>
        <translation>Exporting the chart to a workbook</translation>
    </message>
    <message>
        <source>Confirm Save As</source>
        <translation>Confirm Save As</translation>
    </message>
    <message>
        <source>There is no skeleton curve to save: extract it first.</source>
        <translation>There is no skeleton curve to save: extract it first.</translation>
    </message>
    <message>
        <source>First Line must large than 0!</source>
        <translation>The first data line must be 1 or more!</translation>
    </message>
    <message>
        <source>Data Import Step must not be 0!</source>
        <translation>The import step must not be 0!</translation>
    </message>
    <message>
        <source>The displacement and force columns must be two different numbers from 1 on!</source>
        <translation>The displacement and force columns must be two different numbers from 1 on!</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>Imported Loop is less than 3 points!</source>
        <translation>The imported record has fewer than 3 points!</translation>
    </message>
    <message>
        <source>Noise Band must not be negative!</source>
        <translation>Noise Band must not be negative!</translation>
    </message>
    <message>
        <source>This record loads towards negative displacements first; Loop Direction Negative fits it.</source>
        <translation>This record loads towards negative displacements first; Loop Direction Negative fits it.</translation>
    </message>
    <message>
        <source>This record loads towards positive displacements first; Loop Direction Positive fits it.</source>
        <translation>This record loads towards positive displacements first; Loop Direction Positive fits it.</translation>
    </message>
    <message>
        <source>thinning</source>
        <translation>thinning</translation>
    </message>
    <message>
        <source>addition of a node</source>
        <translation>addition of a node</translation>
    </message>
    <message>
        <source>deletion of a node</source>
        <translation>deletion of a node</translation>
    </message>
    <message>
        <source>drag of a node</source>
        <translation>drag of a node</translation>
    </message>
    <message>
        <source>drag of a loop point</source>
        <translation>drag of a loop point</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 rows</translation>
    </message>
    <message>
        <source>%1 rows; %2</source>
        <translation>%1 rows; %2</translation>
    </message>
    <message>
        <source>%1, decimal point</source>
        <translation>%1, decimal point</translation>
    </message>
    <message>
        <source>%1, decimal comma</source>
        <translation>%1, decimal comma</translation>
    </message>
    <message>
        <source>%1 loops found.</source>
        <translation>%1 loops found.</translation>
    </message>
    <message>
        <source>%1 loops found with a noise band of %2.</source>
        <translation>%1 loops found with a noise band of %2.</translation>
    </message>
    <message>
        <source>Skeleton curve: %1 points on the positive branch, %2 on the negative.</source>
        <translation>Skeleton curve: %1 points on the positive branch, %2 on the negative.</translation>
    </message>
    <message>
        <source>Thinning removed %1 points (%2 positive, %3 negative).</source>
        <translation>Thinning removed %1 points (%2 positive, %3 negative).</translation>
    </message>
    <message>
        <source>Saved the working curve to %1.</source>
        <translation>Saved the working curve to %1.</translation>
    </message>
    <message>
        <source>Saved the loop extremes to %1.</source>
        <translation>Saved the loop extremes to %1.</translation>
    </message>
    <message>
        <source>Saved the skeleton curve to %1.</source>
        <translation>Saved the skeleton curve to %1.</translation>
    </message>
    <message>
        <source>Saved the chart as %1.</source>
        <translation>Saved the chart as %1.</translation>
    </message>
    <message>
        <source>Workbook written to %1.</source>
        <translation>Workbook written to %1.</translation>
    </message>
    <message>
        <source>Undone: %1.</source>
        <translation>Undone: %1.</translation>
    </message>
    <message>
        <source>Redone: %1.</source>
        <translation>Redone: %1.</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Undo %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Redo %1</translation>
    </message>
    <message>
        <source>Disp = %1   Force = %2</source>
        <translation>Displacement = %1   Force = %2</translation>
    </message>
    <message>
        <source>%1 no longer exists; it was taken off the recent records.</source>
        <translation>%1 no longer exists; it was taken off the recent records.</translation>
    </message>
    <message>
        <source>&amp;%1 %2  (first line %3, step %4)</source>
        <translation>&amp;%1 %2  (first line %3, step %4)</translation>
    </message>
    <message>
        <source>Reading %1</source>
        <translation>Reading %1</translation>
    </message>
    <message>
        <source>Writing %1</source>
        <translation>Writing %1</translation>
    </message>
    <message>
        <source>Cannot open %1.</source>
        <translation>Cannot open %1.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>Read from line %1: %2.</source>
        <translation>Read from line %1: %2.</translation>
    </message>
    <message>
        <source>Noise band: %1
Skeleton: %2</source>
        <translation>Noise band: %1
Skeleton: %2</translation>
    </message>
    <message>
        <source>%1 Displacement</source>
        <translation>%1 Displacement</translation>
    </message>
    <message>
        <source>%1 Force</source>
        <translation>%1 Force</translation>
    </message>
    <message>
        <source>%1 of %2 loops are smaller than 1 % of the displacement range (noise around the first displacement?). A noise band of %3 merges them.</source>
        <translation>%1 of %2 loops are smaller than 1 % of the displacement range (noise around the first displacement?). A noise band of %3 merges them.</translation>
    </message>
    <message>
        <source>Line %1 is empty.</source>
        <translation>Line %1 is empty.</translation>
    </message>
    <message>
        <source>Line %1 has no field %2.</source>
        <translation>Line %1 has no field %2.</translation>
    </message>
    <message>
        <source>Line %1: '%2' is not a number.</source>
        <translation>Line %1: '%2' is not a number.</translation>
    </message>
    <message>
        <source>Line %1 has %2 field; line %3 has %4.</source>
        <translation>Line %1 has %2 field; line %3 has %4.</translation>
    </message>
    <message>
        <source>Line %1 has %2 fields; line %3 has %4.</source>
        <translation>Line %1 has %2 fields; line %3 has %4.</translation>
    </message>
    <message>
        <source>The file has %1 line; line %2 is past its end.</source>
        <translation>The file has %1 line; line %2 is past its end.</translation>
    </message>
    <message>
        <source>The file has %1 lines; line %2 is past its end.</source>
        <translation>The file has %1 lines; line %2 is past its end.</translation>
    </message>
    <message>
        <source>Line %1 looks like a header: the data start at line %2.</source>
        <translation>Line %1 looks like a header: the data start at line %2.</translation>
    </message>
    <message>
        <source>%1 changed while it was read; import it again when it is complete.</source>
        <translation>%1 changed while it was read; import it again when it is complete.</translation>
    </message>
    <message>
        <source>List index out of bounds (%1)</source>
        <translation>List index out of bounds (%1)</translation>
    </message>
    <message>
        <source>''%1'' is not a valid integer value</source>
        <translation>'%1' is not a whole number</translation>
    </message>
    <message>
        <source>'%1' is not a valid floating point value</source>
        <translation>'%1' is not a number</translation>
    </message>
    <message>
        <source>Cannot open file "%1". %2</source>
        <translation>Cannot open file "%1". %2</translation>
    </message>
    <message>
        <source>Cannot create file "%1". %2</source>
        <translation>Cannot create file "%1". %2</translation>
    </message>
    <message>
        <source>%1 is the record being analysed; choose another name.</source>
        <translation>%1 is the record being analysed; choose another name.</translation>
    </message>
    <message>
        <source>The series "%1" has %2 points, more than the %3 data rows of a worksheet. Nothing was exported.</source>
        <translation>The series "%1" has %2 points, more than the %3 data rows of a worksheet. Nothing was exported.</translation>
    </message>
    <message>
        <source>The series "%1" does not fit into the combined table: a worksheet has %2 data rows. Nothing was exported.</source>
        <translation>The series "%1" does not fit into the combined table: a worksheet has %2 data rows. Nothing was exported.</translation>
    </message>
    <message>
        <source>The workbook was saved as
%1
but no program on this computer opens it.</source>
        <translation>The workbook was saved as
%1
but no program on this computer opens it.</translation>
    </message>
    <message>
        <source>The %1 branch never falls to %2 of its peak force: its last point stands for the ultimate point and its ductilities are lower bounds.</source>
        <translation>The %1 branch never falls to %2 of its peak force: its last point stands for the ultimate point and its ductilities are lower bounds.</translation>
    </message>
    <message>
        <source>%1 point(s) of the %2 branch step back (no further out than a point before them) and are left out of its outward path: the yield points and the ultimate point are found without them.</source>
        <translation>%1 point(s) of the %2 branch step back (no further out than a point before them) and are left out of its outward path: the yield points and the ultimate point are found without them.</translation>
    </message>
    <message>
        <source>This record does not start at rest: its first sample is at displacement %1, force %2. Zeroing both at the first sample measures the skeleton&apos;s origin and the residual deformations from where the test started.</source>
        <translation>This record does not start at rest: its first sample is at displacement %1, force %2. Zeroing both at the first sample measures the skeleton&apos;s origin and the residual deformations from where the test started.</translation>
    </message>
    <message>
        <source>positive</source>
        <translation>positive</translation>
    </message>
    <message>
        <source>negative</source>
        <translation>negative</translation>
    </message>
    <message>
        <source>QLNX %1 – hysteresis loops and skeleton curves of cyclic loading tests</source>
        <translation>QLNX %1 – hysteresis loops and skeleton curves of cyclic loading tests</translation>
    </message>
    <message>
        <source>QLNX %1 · free software (GPL-3.0-or-later)</source>
        <translation>QLNX %1 · free software (GPL-3.0-or-later)</translation>
    </message>
    <message>
        <source>About QLNX</source>
        <translation>About QLNX</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Hysteresis loops and skeleton curves of cyclic loading tests: import a force–displacement record, split it into loops, extract, thin and edit the skeleton curve, and export the results.</source>
        <translation>Hysteresis loops and skeleton curves of cyclic loading tests: import a force–displacement record, split it into loops, extract, thin and edit the skeleton curve, and export the results.</translation>
    </message>
    <message>
        <source>Licence: GNU General Public License, version 3 or later (GPL-3.0-or-later). This program comes with ABSOLUTELY NO WARRANTY.</source>
        <translation>Licence: GNU General Public License, version 3 or later (GPL-3.0-or-later). This program comes with ABSOLUTELY NO WARRANTY.</translation>
    </message>
    <message>
        <source>Thank you for using QLNX!

QLNX is free software, written by engineers for engineers. If it saves you time in the laboratory, the best support is to tell colleagues about it, report what could work better, and share improvements.

感谢您的支持！</source>
        <translation>Thank you for using QLNX!

QLNX is free software, written by engineers for engineers. If it saves you time in the laboratory, the best support is to tell colleagues about it, report what could work better, and share improvements.

Thank you for your support!</translation>
    </message>
    <message>
        <source>QLNX – How to use</source>
        <translation>QLNX – User Guide</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Contents</translation>
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
        <translation>Displacement</translation>
    </message>
    <message>
        <source>Loop_</source>
        <translation>Chosen loop</translation>
    </message>
    <message>
        <source>Vorlix_Positive</source>
        <translation>Skeleton, positive</translation>
    </message>
    <message>
        <source>Vorlix_Negative</source>
        <translation>Skeleton, negative</translation>
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
        <translation>Language of the captions, menus, messages and tooltips; numbers and the files written are the same in every language.</translation>
    </message>
    <message>
        <source>The captions as the window has always shown them, in English and Chinese.</source>
        <translation>The captions as the window has always shown them, in English and Chinese.</translation>
    </message>
    <message>
        <source>Every text in plain English.</source>
        <translation>Every text in plain English.</translation>
    </message>
    <message>
        <source>Every text in Chinese.</source>
        <translation>Every text in Chinese.</translation>
    </message>
    <message>
        <source>Loop_%1</source>
        <translation>Loop %1</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>New Project</source>
        <translation>New Project</translation>
    </message>
    <message>
        <source>Open Project…</source>
        <translation>Open Project…</translation>
    </message>
    <message>
        <source>Save Project</source>
        <translation>Save Project</translation>
    </message>
    <message>
        <source>Save Project As…</source>
        <translation>Save Project As…</translation>
    </message>
    <message>
        <source>Specimens</source>
        <translation>Specimens</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Start a project: a campaign of specimens, each a record with its analysis.</source>
        <translation>Start a project: a campaign of specimens, each a record with its analysis.</translation>
    </message>
    <message>
        <source>Open a project and show its first specimen exactly as it was saved.</source>
        <translation>Open a project and show its first specimen exactly as it was saved.</translation>
    </message>
    <message>
        <source>Save the project with every specimen's options and skeleton as edited.</source>
        <translation>Save the project with every specimen's options and skeleton as edited.</translation>
    </message>
    <message>
        <source>Save the project under another name.</source>
        <translation>Save the project under another name.</translation>
    </message>
    <message>
        <source>The chosen specimen's name.</source>
        <translation>The chosen specimen's name.</translation>
    </message>
    <message>
        <source>The chosen specimen's group: specimens of one group are compared.</source>
        <translation>The chosen specimen's group: specimens of one group are compared.</translation>
    </message>
    <message>
        <source>Add the record in the window, with its analysis, as a specimen.</source>
        <translation>Add the record in the window, with its analysis, as a specimen.</translation>
    </message>
    <message>
        <source>Take the chosen specimen out of the project.</source>
        <translation>Take the chosen specimen out of the project.</translation>
    </message>
    <message>
        <source>Move the chosen specimen up.</source>
        <translation>Move the chosen specimen up.</translation>
    </message>
    <message>
        <source>Move the chosen specimen down.</source>
        <translation>Move the chosen specimen down.</translation>
    </message>
    <message>
        <source>replacement of the edited skeleton curve</source>
        <translation>replacement of the edited skeleton curve</translation>
    </message>
    <message>
        <source>The edited skeleton curve was replaced; Undo brings it back.</source>
        <translation>The edited skeleton curve was replaced; Undo brings it back.</translation>
    </message>
    <message>
        <source>%1 The edited skeleton curve was replaced; Undo brings it back.</source>
        <translation>%1 The edited skeleton curve was replaced; Undo brings it back.</translation>
    </message>
    <message>
        <source>Thinning removed %1 points (%2 positive, %3 negative), the peak points of both branches among them.</source>
        <translation>Thinning removed %1 points (%2 positive, %3 negative), the peak points of both branches among them.</translation>
    </message>
    <message>
        <source>Thinning removed %1 points (%2 positive, %3 negative), the positive branch's peak point among them.</source>
        <translation>Thinning removed %1 points (%2 positive, %3 negative), the positive branch's peak point among them.</translation>
    </message>
    <message>
        <source>Thinning removed %1 points (%2 positive, %3 negative), the negative branch's peak point among them.</source>
        <translation>Thinning removed %1 points (%2 positive, %3 negative), the negative branch's peak point among them.</translation>
    </message>
    <message>
        <source>每级首圈峰值点(包络)      </source>
        <translation>First-cycle envelope of the levels</translation>
    </message>
    <message>
        <source>Negative loop energy: the loop runs the other way round, so it took energy in instead of dissipating it. Check the sign of the force or the displacement channel.</source>
        <translation>Negative loop energy: the loop runs the other way round, so it took energy in instead of dissipating it. Check the sign of the force or the displacement channel.</translation>
    </message>
    <message>
        <source>Ultimate not reached: the skeleton never falls to the ultimate ratio of its peak force, so its last point stands for the ultimate point and the ductilities are lower bounds.</source>
        <translation>Ultimate not reached: the skeleton never falls to the ultimate ratio of its peak force, so its last point stands for the ultimate point and the ductilities are lower bounds.</translation>
    </message>
    <message>
        <source>EEEP fallback: no elastic-plastic bilinear has the area under the curve, so the yield force is 0.85 Fmax.</source>
        <translation>EEEP fallback: no elastic-plastic bilinear has the area under the curve, so the yield force is 0.85 Fmax.</translation>
    </message>
    <message>
        <source>The construction leaves the data (it needs a point beyond the measured curve, or its yield point lies beyond the ultimate point), so this method gives no yield point.</source>
        <translation>The construction leaves the data (it needs a point beyond the measured curve, or its yield point lies beyond the ultimate point), so this method gives no yield point.</translation>
    </message>
    <message>
        <source>Peaks off their quadrant: a peak point of this loop lies at a force of the other sign than its displacement (after a fracture, or force peaks on a slipping loop), so the elastic energy triangles mean nothing and the damping, the dissipation coefficient and the secant stiffness are empty.</source>
        <translation>Peaks off their quadrant: a peak point of this loop lies at a force of the other sign than its displacement (after a fracture, or force peaks on a slipping loop), so the elastic energy triangles mean nothing and the damping, the dissipation coefficient and the secant stiffness are empty.</translation>
    </message>
    <message>
        <source>Incomplete loop: the record ends before this loop closes, so it belongs to no level and its level and cycle are empty.</source>
        <translation>Incomplete loop: the record ends before this loop closes, so it belongs to no level and its level and cycle are empty.</translation>
    </message>
    <message>
        <source>Ultimate capped: the branch reaches the standard's largest slip before it falls to the ultimate ratio of its peak force, so the slip is the ultimate displacement.</source>
        <translation>Ultimate capped: the branch reaches the standard's largest slip before it falls to the ultimate ratio of its peak force, so the slip is the ultimate displacement.</translation>
    </message>
    <message>
        <source>Points left out: these points of the skeleton step back (they lie no further out than a point before them), so the constructions follow the outward path without them.</source>
        <translation>Points left out: these points of the skeleton step back (they lie no further out than a point before them), so the constructions follow the outward path without them.</translation>
    </message>
    <message>
        <source>Dock beside the chart</source>
        <translation>Dock beside the chart</translation>
    </message>
    <message>
        <source>Save Image…</source>
        <translation>Save Image…</translation>
    </message>
    <message>
        <source>Cycle</source>
        <translation>Cycle</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Complete</translation>
    </message>
    <message>
        <source>PosPeakDisp</source>
        <translation>PosPeakDisp</translation>
    </message>
    <message>
        <source>NegPeakDisp</source>
        <translation>NegPeakDisp</translation>
    </message>
    <message>
        <source>PosPeakForce</source>
        <translation>PosPeakForce</translation>
    </message>
    <message>
        <source>NegPeakForce</source>
        <translation>NegPeakForce</translation>
    </message>
    <message>
        <source>CumulativeEnergy</source>
        <translation>CumulativeEnergy</translation>
    </message>
    <message>
        <source>DampingRatio</source>
        <translation>DampingRatio</translation>
    </message>
    <message>
        <source>DissipationCoefficient</source>
        <translation>DissipationCoefficient</translation>
    </message>
    <message>
        <source>SecantStiffness</source>
        <translation>SecantStiffness</translation>
    </message>
    <message>
        <source>PeaksOffQuadrant</source>
        <translation>PeaksOffQuadrant</translation>
    </message>
    <message>
        <source>ResidualPos</source>
        <translation>ResidualPos</translation>
    </message>
    <message>
        <source>ResidualNeg</source>
        <translation>ResidualNeg</translation>
    </message>
    <message>
        <source>StrengthToFirstPos</source>
        <translation>StrengthToFirstPos</translation>
    </message>
    <message>
        <source>StrengthToFirstNeg</source>
        <translation>StrengthToFirstNeg</translation>
    </message>
    <message>
        <source>StrengthToPreviousPos</source>
        <translation>StrengthToPreviousPos</translation>
    </message>
    <message>
        <source>StrengthToPreviousNeg</source>
        <translation>StrengthToPreviousNeg</translation>
    </message>
    <message>
        <source>FirstLoop</source>
        <translation>FirstLoop</translation>
    </message>
    <message>
        <source>Cycles</source>
        <translation>Cycles</translation>
    </message>
    <message>
        <source>RingStiffness</source>
        <translation>RingStiffness</translation>
    </message>
    <message>
        <source>RingStiffnessPos</source>
        <translation>RingStiffnessPos</translation>
    </message>
    <message>
        <source>RingStiffnessNeg</source>
        <translation>RingStiffnessNeg</translation>
    </message>
    <message>
        <source>ImpairmentPos</source>
        <translation>ImpairmentPos</translation>
    </message>
    <message>
        <source>ImpairmentNeg</source>
        <translation>ImpairmentNeg</translation>
    </message>
    <message>
        <source>ImpairmentPosRatio</source>
        <translation>ImpairmentPosRatio</translation>
    </message>
    <message>
        <source>ImpairmentNegRatio</source>
        <translation>ImpairmentNegRatio</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>Ductility</source>
        <translation>Ductility</translation>
    </message>
    <message>
        <source>Stiffness</source>
        <translation>Stiffness</translation>
    </message>
    <message>
        <source>UltimateReached</source>
        <translation>UltimateReached</translation>
    </message>
    <message>
        <source>Fallback</source>
        <translation>Fallback</translation>
    </message>
    <message>
        <source>UltimateCapped</source>
        <translation>UltimateCapped</translation>
    </message>
    <message>
        <source>DroppedPoints</source>
        <translation>DroppedPoints</translation>
    </message>
    <message>
        <source>Calibrate Model…</source>
        <translation>Calibrate Model…</translation>
    </message>
    <message>
        <source>Calibrate Model</source>
        <translation>Calibrate Model</translation>
    </message>
    <message>
        <source>Fit Steel01, Steel02, Bouc-Wen, BWBN or SAWS to the record and write the OpenSees material.</source>
        <translation>Fit Steel01, Steel02, Bouc-Wen, BWBN or SAWS to the record and write the OpenSees material.</translation>
    </message>
    <message>
        <source>Models</source>
        <translation>Models</translation>
    </message>
    <message>
        <source>Steel01 (bilinear)</source>
        <translation>Steel01 (bilinear)</translation>
    </message>
    <message>
        <source>Steel02 (Menegotto-Pinto)</source>
        <translation>Steel02 (Menegotto-Pinto)</translation>
    </message>
    <message>
        <source>Bouc-Wen</source>
        <translation>Bouc-Wen</translation>
    </message>
    <message>
        <source>BWBN (pinching)</source>
        <translation>BWBN (pinching)</translation>
    </message>
    <message>
        <source>SAWS (timber wall)</source>
        <translation>SAWS (timber wall)</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>Seed</source>
        <translation>Seed</translation>
    </message>
    <message>
        <source>Energy weight</source>
        <translation>Energy weight</translation>
    </message>
    <message>
        <source>Remove noise reversals</source>
        <translation>Remove noise reversals</translation>
    </message>
    <message>
        <source>Weigh samples by path length</source>
        <translation>Weigh samples by path length</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
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
        <translation>Save OpenSees…</translation>
    </message>
    <message>
        <source>Comparison</source>
        <translation>Comparison</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>Energy per Loop</source>
        <translation>Energy per Loop</translation>
    </message>
    <message>
        <source>OpenSees</source>
        <translation>OpenSees</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Choose at least one model.</source>
        <translation>Choose at least one model.</translation>
    </message>
    <message>
        <source>Analyze the loops of a record before fitting a model.</source>
        <translation>Analyze the loops of a record before fitting a model.</translation>
    </message>
    <message>
        <source>Fitting…</source>
        <translation>Fitting…</translation>
    </message>
    <message>
        <source>Cancelled. Models fitted: %1.</source>
        <translation>Cancelled. Models fitted: %1.</translation>
    </message>
    <message>
        <source>Models fitted: %1.</source>
        <translation>Models fitted: %1.</translation>
    </message>
    <message>
        <source>J_F</source>
        <translation>J_F</translation>
    </message>
    <message>
        <source>Energy ratio</source>
        <translation>Energy ratio</translation>
    </message>
    <message>
        <source>Evaluations</source>
        <translation>Evaluations</translation>
    </message>
    <message>
        <source>Time (s)</source>
        <translation>Time (s)</translation>
    </message>
    <message>
        <source>Undetermined</source>
        <translation>Undetermined</translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation>Warnings</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>Lower</translation>
    </message>
    <message>
        <source>Upper</source>
        <translation>Upper</translation>
    </message>
    <message>
        <source>Change for +10 % J_F</source>
        <translation>Change for +10 % J_F</translation>
    </message>
    <message>
        <source>Determined</source>
        <translation>Determined</translation>
    </message>
    <message>
        <source>fixed</source>
        <translation>fixed</translation>
    </message>
    <message>
        <source>undetermined (at a bound)</source>
        <translation>undetermined (at a bound)</translation>
    </message>
    <message>
        <source>undetermined</source>
        <translation>undetermined</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>Model / Record</source>
        <translation>Model / Record</translation>
    </message>
    <message>
        <source>A model is fitted to a record of at least 3 samples.</source>
        <translation>A model is fitted to a record of at least 3 samples.</translation>
    </message>
    <message>
        <source>The record has no force or no displacement to fit.</source>
        <translation>The record has no force or no displacement to fit.</translation>
    </message>
    <message>
        <source>Sample %1 of the record is not a number.</source>
        <translation>Sample %1 of the record is not a number.</translation>
    </message>
    <message>
        <source>Tcl files (*.tcl);;Python files (*.py)</source>
        <translation>Tcl files (*.tcl);;Python files (*.py)</translation>
    </message>
    <message>
        <source>Compare Specimens</source>
        <translation>Compare Specimens</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>Skeleton curves</source>
        <translation>Skeleton curves</translation>
    </message>
    <message>
        <source>Normalisation</source>
        <translation>Normalisation</translation>
    </message>
    <message>
        <source>Yield method</source>
        <translation>Yield method</translation>
    </message>
    <message>
        <source>Drift</source>
        <translation>Drift</translation>
    </message>
    <message>
        <source>Save Chart…</source>
        <translation>Save Chart…</translation>
    </message>
    <message>
        <source>(no group)</source>
        <translation>(no group)</translation>
    </message>
    <message>
        <source>Mean skeleton</source>
        <translation>Mean skeleton</translation>
    </message>
    <message>
        <source>Mean skeleton ± one standard deviation</source>
        <translation>Mean skeleton ± one standard deviation</translation>
    </message>
    <message>
        <source>Mean ± one standard deviation</source>
        <translation>Mean ± one standard deviation</translation>
    </message>
    <message>
        <source>F/Fmax against Δ/Δ(Fmax)</source>
        <translation>F/Fmax against Δ/Δ(Fmax)</translation>
    </message>
    <message>
        <source>F/Fy against Δ/Δy</source>
        <translation>F/Fy against Δ/Δy</translation>
    </message>
    <message>
        <source>Drift Δ/H (%)</source>
        <translation>Drift Δ/H (%)</translation>
    </message>
    <message>
        <source>Evaluating the specimens</source>
        <translation>Evaluating the specimens</translation>
    </message>
    <message>
        <source>Open or start a project first; the specimens of its groups are compared.</source>
        <translation>Open or start a project first; the specimens of its groups are compared.</translation>
    </message>
    <message>
        <source>The project has no specimen to compare.</source>
        <translation>The project has no specimen to compare.</translation>
    </message>
    <message>
        <source>Not drawn: %1.</source>
        <translation>Not drawn: %1.</translation>
    </message>
    <message>
        <source>The chosen specimen's height, for drift (displacement / height).</source>
        <translation>The chosen specimen's height, for drift (displacement / height).</translation>
    </message>
    <message>
        <source>Evaluate every specimen of the project and compare the specimens of each group.</source>
        <translation>Evaluate every specimen of the project and compare the specimens of each group.</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>Output units</source>
        <translation>Output units</translation>
    </message>
    <message>
        <source>Drift height</source>
        <translation>Drift height</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>First values</source>
        <translation>First values</translation>
    </message>
    <message>
        <source>Zero</source>
        <translation>Zero</translation>
    </message>
    <message>
        <source>Factor</source>
        <translation>Factor</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>as recorded</source>
        <translation>as recorded</translation>
    </message>
    <message>
        <source>The record's channels: the name an expression writes, the unit, the first values; zeroing subtracts the mean of the first samples, then value * factor + offset.</source>
        <translation>The record's channels: the name to write in an expression, the unit, the first values; zeroing subtracts the mean of the first samples, then value * factor + offset.</translation>
    </message>
    <message>
        <source>The displacement as an expression over the channels' names (a difference of two transducers, a mean); empty: the displacement column.</source>
        <translation>The displacement as an expression over the channels' names (a difference of two transducers, a mean); empty: the displacement column.</translation>
    </message>
    <message>
        <source>The force as an expression over the channels' names (a sum of two load cells, a scaled signal); empty: the force column.</source>
        <translation>The force as an expression over the channels' names (a sum of two load cells, a scaled signal); empty: the force column.</translation>
    </message>
    <message>
        <source>The length unit of the displacement; empty: as recorded.</source>
        <translation>The length unit of the displacement; empty: as recorded.</translation>
    </message>
    <message>
        <source>The unit of the force; empty: as recorded.</source>
        <translation>The unit of the force; empty: as recorded.</translation>
    </message>
    <message>
        <source>Shows the displacement as a drift in % of this height (in the displacement's unit).</source>
        <translation>Shows the displacement as a drift in % of this height (in the displacement's unit).</translation>
    </message>
    <message>
        <source>Displacement (%1)</source>
        <translation>Displacement (%1)</translation>
    </message>
    <message>
        <source>Force (%1)</source>
        <translation>Force (%1)</translation>
    </message>
    <message>
        <source>Drift (%1)</source>
        <translation>Drift (%1)</translation>
    </message>
    <message>
        <source>Displacement (%1), Force (%2)</source>
        <translation>Displacement (%1), force (%2)</translation>
    </message>
    <message>
        <source>Drift (%1), Force (%2)</source>
        <translation>Drift (%1), force (%2)</translation>
    </message>
    <message>
        <source>Max Disp 1 (%1)</source>
        <translation>Max. Disp. 1 (%1)</translation>
    </message>
    <message>
        <source>Max Disp 2 (%1)</source>
        <translation>Max. Disp. 2 (%1)</translation>
    </message>
    <message>
        <source>Max Disp Force 1 (%1)</source>
        <translation>Force at Max. Disp. 1 (%1)</translation>
    </message>
    <message>
        <source>Max Disp Force 2 (%1)</source>
        <translation>Force at Max. Disp. 2 (%1)</translation>
    </message>
    <message>
        <source>Disp = %1 %2   Force = %3 %4</source>
        <translation>Displacement = %1 %2   Force = %3 %4</translation>
    </message>
    <message>
        <source>%1 rows; %2; %3</source>
        <translation>%1 rows; %2; %3</translation>
    </message>
    <message>
        <source>%1 rows; %2; %3; %4</source>
        <translation>%1 rows; %2; %3; %4</translation>
    </message>
    <message>
        <source>%1 rows with a gap were left out, the first at line %2.</source>
        <translation>%1 rows with a gap were left out, the first at line %2.</translation>
    </message>
    <message>
        <source>1 row with a gap was left out, the first at line %1.</source>
        <translation>1 row with a gap was left out, at line %1.</translation>
    </message>
    <message>
        <source>The displacement expression '%1': no channel is named '%2'; the channels are %3.</source>
        <translation>The displacement expression '%1': no channel is named '%2'; the channels are %3.</translation>
    </message>
    <message>
        <source>The force expression '%1': no channel is named '%2'; the channels are %3.</source>
        <translation>The force expression '%1': no channel is named '%2'; the channels are %3.</translation>
    </message>
    <message>
        <source>The unit '%1' of channel %2 is not known.</source>
        <translation>The unit '%1' of channel %2 is not known.</translation>
    </message>
    <message>
        <source>The drift height must be a number above 0.</source>
        <translation>The drift height must be a number above 0.</translation>
    </message>
    <message>
        <source>Loading History</source>
        <translation>Loading History</translation>
    </message>
    <message>
        <source>Protocol:</source>
        <translation>Protocol:</translation>
    </message>
    <message>
        <source>Click a cycle to choose its loop; drag over the history to analyse that range only.</source>
        <translation>Click a cycle to choose its loop; drag over the history to analyse that range only.</translation>
    </message>
    <message>
        <source>Whole Record</source>
        <translation>Whole Record</translation>
    </message>
    <message>
        <source>Read the whole record again, from the first line it was read from before a range was chosen.</source>
        <translation>Read the whole record again, from the first line it was read from before a range was chosen.</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Time (%1)</source>
        <translation>Time (%1)</translation>
    </message>
    <message>
        <source>Planned amplitude</source>
        <translation>Planned amplitude</translation>
    </message>
    <message>
        <source>Planned amplitude (negative)</source>
        <translation>Planned amplitude (negative)</translation>
    </message>
    <message>
        <source>Chosen loop</source>
        <translation>Chosen loop</translation>
    </message>
    <message>
        <source>analyse the loops to see the levels</source>
        <translation>analyse the loops to see the levels</translation>
    </message>
    <message>
        <source>not recognised (measured levels)</source>
        <translation>not recognised (measured levels)</translation>
    </message>
    <message>
        <source>Lines %1 to %2</source>
        <translation>Lines %1 to %2</translation>
    </message>
    <message>
        <source>Last Line must not come before First Line!</source>
        <translation>Last Line must not come before First Line!</translation>
    </message>
    <message>
        <source>Last Line must large than 0!</source>
        <translation>Last Line must large than 0!</translation>
    </message>
    <message>
        <source>The displacement against time with the levels and the planned amplitudes; click a cycle to choose its loop, drag to choose the range of lines to analyse.</source>
        <translation>The displacement against time with the levels and the planned amplitudes; click a cycle to choose its loop, drag to choose the range of lines to analyse.</translation>
    </message>
    <message>
        <source>Point1 and Point2 drawn like the other series, as markers only, not joined by lines, or left out of the sheet and the chart together with every series without points.</source>
        <translation>Point1 and Point2 drawn like the other series, as markers only, not joined by lines, or left out of the sheet and the chart together with every series without points.</translation>
    </message>
    <message>
        <source>Set a chart for reports: straight lines, the loop as a thin line underneath, no point series, the series named for a report in the window's colours, the window's axis titles with units, round axis limits, axes at their minimum, legend below, 480 x 300 pt right of the data, single output. Press Update to keep it.</source>
        <translation>Set a chart for reports: straight lines, the loop as a thin line underneath, no point series, the series named for a report in the window's colours, the window's axis titles with units, round axis limits, axes at their minimum, legend below, 480 x 300 pt right of the data, single output. Press Update to keep it.</translation>
    </message>
    <message>
        <source>%1 rows; %2; %3; %4; %5</source>
        <translation>%1 rows; %2; %3; %4; %5</translation>
    </message>
    <message>
        <source>1 numeric line above line %1 was not read</source>
        <translation>1 numeric line above line %1 was not read</translation>
    </message>
    <message>
        <source>%1 numeric lines above line %2 were not read</source>
        <translation>%1 numeric lines above line %2 were not read</translation>
    </message>
    <message>
        <source>Line %1 has no field %2: Import Options reads the displacement from column %3 and the force from column %4.</source>
        <translation>Line %1 has no field %2: Import Options reads the displacement from column %3 and the force from column %4.</translation>
    </message>
    <message>
        <source>Left Out</source>
        <translation>Left Out</translation>
    </message>
    <message>
        <source>Series Names</source>
        <translation>Series Names</translation>
    </message>
    <message>
        <source>For a Report</source>
        <translation>For a Report</translation>
    </message>
    <message>
        <source>Axis Limits</source>
        <translation>Axis Limits</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>Round, from the Data</source>
        <translation>Round, from the Data</translation>
    </message>
    <message>
        <source>Names of the series in the sheet and the legend: the chart's own titles, or names for a report in English words, the same in every language.</source>
        <translation>Names of the series in the sheet and the legend: the chart's own titles, or names for a report in English words, the same in every language.</translation>
    </message>
    <message>
        <source>Ends of both axes: chosen by the spreadsheet program, or round numbers just beyond the smallest and the largest value of the series.</source>
        <translation>Ends of both axes: chosen by the spreadsheet program, or round numbers just beyond the smallest and the largest value of the series.</translation>
    </message>
    <message>
        <source>Test Report…</source>
        <translation>Test Report…</translation>
    </message>
    <message>
        <source>Save a PDF test report of the record: the settings, the loops, the skeleton with the yield construction, the loading history and the evaluation tables.</source>
        <translation>Save a PDF test report of the record: the settings, the loops, the skeleton with the yield construction, the loading history and the evaluation tables.</translation>
    </message>
    <message>
        <source>There is no analysed record to report: import and analyse one first.</source>
        <translation>There is no analysed record to report: import and analyse one first.</translation>
    </message>
    <message>
        <source>Saved the test report to %1.</source>
        <translation>Saved the test report to %1.</translation>
    </message>
    <message>
        <source>Test Report</source>
        <translation>Test Report</translation>
    </message>
    <message>
        <source>Specimen</source>
        <translation>Specimen</translation>
    </message>
    <message>
        <source>Record file</source>
        <translation>Record file</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Modified</translation>
    </message>
    <message>
        <source>First line</source>
        <translation>First line</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>Last line</source>
        <translation>Last line</translation>
    </message>
    <message>
        <source>Displacement channel</source>
        <translation>Displacement channel</translation>
    </message>
    <message>
        <source>Force channel</source>
        <translation>Force channel</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>Zeroed at the first sample</source>
        <translation>Zeroed at the first sample</translation>
    </message>
    <message>
        <source>Noise band</source>
        <translation>Noise band</translation>
    </message>
    <message>
        <source>Loop direction</source>
        <translation>Loop direction</translation>
    </message>
    <message>
        <source>Skeleton method</source>
        <translation>Skeleton method</translation>
    </message>
    <message>
        <source>Peak points</source>
        <translation>Peak points</translation>
    </message>
    <message>
        <source>Ultimate displacement cap</source>
        <translation>Ultimate displacement cap</translation>
    </message>
    <message>
        <source>Loading protocol</source>
        <translation>Loading protocol</translation>
    </message>
    <message>
        <source>not recognised</source>
        <translation>not recognised</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Report date</source>
        <translation>Report date</translation>
    </message>
    <message>
        <source>Hysteresis loops</source>
        <translation>Hysteresis loops</translation>
    </message>
    <message>
        <source>Skeleton curve and yield constructions</source>
        <translation>Skeleton curve and yield constructions</translation>
    </message>
    <message>
        <source>Loading history</source>
        <translation>Loading history</translation>
    </message>
    <message>
        <source>Skeleton</source>
        <translation>Skeleton</translation>
    </message>
    <message>
        <source>Loading protocol levels</source>
        <translation>Loading protocol levels</translation>
    </message>
    <message>
        <source>part %1 of %2</source>
        <translation>part %1 of %2</translation>
    </message>
    <message>
        <source>continued</source>
        <translation>continued</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>no</source>
        <translation>no</translation>
    </message>
    <message>
        <source>Point of the record</source>
        <translation>Point of the record</translation>
    </message>
    <message>
        <source>Positive skeleton</source>
        <translation>Positive skeleton</translation>
    </message>
    <message>
        <source>Negative skeleton</source>
        <translation>Negative skeleton</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>Peak</translation>
    </message>
    <message>
        <source>Ultimate</source>
        <translation>Ultimate</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>Series Report</source>
        <translation>Series Report</translation>
    </message>
    <message>
        <source>Comparison table</source>
        <translation>Comparison table</translation>
    </message>
    <message>
        <source>Key results</source>
        <translation>Key results</translation>
    </message>
    <message>
        <source>Skeleton curves of the specimens</source>
        <translation>Skeleton curves of the specimens</translation>
    </message>
    <message>
        <source>No characteristic value (%1): %2</source>
        <translation>No characteristic value (%1): %2</translation>
    </message>
    <message>
        <source>Project file</source>
        <translation>Project file</translation>
    </message>
    <message>
        <source>Quantity</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>no values</source>
        <translation>no values</translation>
    </message>
    <message>
        <source>fewer than 3 values</source>
        <translation>fewer than 3 values</translation>
    </message>
    <message>
        <source>a value is not positive</source>
        <translation>a value is not positive</translation>
    </message>
    <message>
        <source>Save a PDF test report of the series: the comparison table with its statistics, the overlay and mean skeleton charts, and a page for each specimen.</source>
        <translation>Save a PDF test report of the series: the comparison table with its statistics, the overlay and mean skeleton charts, and a page for each specimen.</translation>
    </message>
</context>
</TS>
