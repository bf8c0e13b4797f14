# Registers the Tarvix package for every user of this machine, or removes it. The package
# (Tarvix.msix) holds no program: it names the install folder, where Tarvix.dll lies, as its
# external location, and so gives the DLL the identity Windows 11 asks of a handler in its
# first context menu. The setup runs this script as administrator, on Windows 11 only:
#
#   Tarvix-package.ps1 -Register -Package <Tarvix.msix> -ExternalLocation <install folder>
#                      [-Certificate <Tarvix-test.cer>]
#   Tarvix-package.ps1 -Unregister [-Certificate <Tarvix-test.cer>]
#
# -Certificate names the certificate of a test-signed package: -Register adds it to the
# machine's TrustedPeople store first, where Windows looks for it, and -Unregister takes it
# away again if -Register added it. Exit code 0: done; 1: not done, the reason in the output.
[CmdletBinding(DefaultParameterSetName = 'Register')]
param(
    [Parameter(ParameterSetName = 'Register', Mandatory)] [switch] $Register,
    [Parameter(ParameterSetName = 'Register', Mandatory)] [string] $Package,
    [Parameter(ParameterSetName = 'Register', Mandatory)] [string] $ExternalLocation,
    [Parameter(ParameterSetName = 'Unregister', Mandatory)] [switch] $Unregister,
    [string] $Certificate
)
$ErrorActionPreference = 'Stop'
$PackageName = 'Tarvix.ContextMenu'
$TrustedPeople = 'Cert:\LocalMachine\TrustedPeople'
# Beside the certificate: the thumbprint of the certificate this script added.
$AddedMark = "$Certificate.added"

# Windows' package manager (Windows.Management.Deployment); its calls finish later.
Add-Type -AssemblyName System.Runtime.WindowsRuntime
$null = [Windows.Management.Deployment.PackageManager, Windows.Management.Deployment, ContentType = WindowsRuntime]
$AsTask = [System.WindowsRuntimeSystemExtensions].GetMethods() | Where-Object {
    $_.Name -eq 'AsTask' -and $_.GetParameters().Count -eq 1 -and
    $_.GetParameters()[0].ParameterType.Name -eq 'IAsyncOperationWithProgress`2'
} | Select-Object -First 1
$Manager = New-Object Windows.Management.Deployment.PackageManager

function Wait-Deployment($Operation) {
    $task = $AsTask.MakeGenericMethod([Windows.Management.Deployment.DeploymentResult],
        [Windows.Management.Deployment.DeploymentProgress]).Invoke($null, @($Operation))
    $task.Wait() # a failed deployment throws here, with Windows' reason
}

function Add-TestCertificate {
    $trusted = New-Object System.Security.Cryptography.X509Certificates.X509Certificate2 $Certificate
    if (Test-Path "$TrustedPeople\$($trusted.Thumbprint)") {
        return
    }
    Import-Certificate -FilePath $Certificate -CertStoreLocation $TrustedPeople | Out-Null
    Set-Content -Path $AddedMark -Value $trusted.Thumbprint
    Write-Output "Added the test certificate $($trusted.Thumbprint) to the machine's TrustedPeople store."
}

function Remove-TestCertificate {
    if (Test-Path $AddedMark) {
        $thumbprint = (Get-Content -Path $AddedMark -TotalCount 1).Trim()
        Remove-Item -Path "$TrustedPeople\$thumbprint" -ErrorAction SilentlyContinue
        Remove-Item -Path $AddedMark
        Write-Output "Removed the test certificate $thumbprint from the machine's TrustedPeople store."
    }
}

# For all users, also those who would get it at their next sign-in.
function Remove-TarvixPackage {
    foreach ($installed in @(Get-AppxPackage -AllUsers -Name $PackageName)) {
        try {
            Wait-Deployment $Manager.DeprovisionPackageForAllUsersAsync($installed.PackageFamilyName)
        } catch {
            # Not provisioned: registered for some users only.
        }
        Remove-AppxPackage -Package $installed.PackageFullName -AllUsers
        Write-Output "Removed the package $($installed.PackageFullName) for all users."
    }
}

try {
    if ($Register) {
        if ($Certificate) {
            Add-TestCertificate
        }
        Remove-TarvixPackage # an earlier version, or this one registered before
        Add-AppxPackage -Path $Package -ExternalLocation $ExternalLocation
        $family = (Get-AppxPackage -Name $PackageName).PackageFamilyName
        # Every user, those who sign in later included, gets it at sign-in.
        Wait-Deployment $Manager.ProvisionPackageForAllUsersAsync($family)
        Write-Output "Registered the package $family for all users, from $ExternalLocation."
    } else {
        Remove-TarvixPackage
        if ($Certificate) {
            Remove-TestCertificate
        }
    }
    exit 0
} catch {
    Write-Output "Windows did not take the change: $($_.Exception.GetBaseException().Message)"
    exit 1
}
